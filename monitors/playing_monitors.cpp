#include "monitors/playing_monitors.h"

#include "monitors/mon_chromatic.h"
#include "monitors/mon_diatonic.h"
#include "monitors/mon_piano.h"

namespace tavrino {

void RegisterPlayingMonitors(MonitorFactory& factory, const MonitorServices& services) {
    // The monitors keep their own copy of the services: a monitor may
    // outlive this call's caller's locals.
    factory.Register(kPianoMonitor,
                     [services](SettingsStore&) { return std::make_unique<CMonPiano>(services); });
    factory.Register(kDiatonicMonitor, [services](SettingsStore&) {
        return std::make_unique<CMonDiatonic>(services);
    });
    factory.Register(kChromaticMonitor, [services](SettingsStore&) {
        return std::make_unique<CMonChromatic>(services);
    });
}

}  // namespace tavrino
