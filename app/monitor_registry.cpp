#include "app/monitor_registry.h"

#include "monitors/playing_monitors.h"

namespace tavrino {

// One line per family of monitors.
void RegisterMonitors(MonitorFactory& factory, const MonitorServices& services) {
    RegisterPlayingMonitors(factory, services);
}

}  // namespace tavrino
