#pragma once

#include "monitors/monitor_factory.h"
#include "monitors/monitor_services.h"

namespace tavrino {

// Registers the monitors that show and play notes: the piano keyboard and
// the diatonic and chromatic harmonicas. The services outlive the factory's
// use of them.
void RegisterPlayingMonitors(MonitorFactory& factory, const MonitorServices& services);

}  // namespace tavrino
