#pragma once

#include "monitors/monitor_factory.h"
#include "monitors/monitor_services.h"

namespace tavrino {

// Gives the factory every monitor class the program has.
void RegisterMonitors(MonitorFactory& factory, const MonitorServices& services);

}  // namespace tavrino
