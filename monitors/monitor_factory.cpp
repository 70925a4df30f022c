#include "monitors/monitor_factory.h"

namespace tavrino {

namespace {

bool IsKind(MonitorKind kind) {
    return kind > kNoMonitor && kind < kMonitorKindCount;
}

}  // namespace

void MonitorFactory::Register(MonitorKind kind, Maker maker) {
    if (IsKind(kind)) {
        makers_[kind] = std::move(maker);
    }
}

bool MonitorFactory::Has(MonitorKind kind) const {
    return IsKind(kind) && makers_[kind];
}

std::unique_ptr<CMonitor> MonitorFactory::Create(MonitorKind kind, SettingsStore& store) const {
    return Has(kind) ? makers_[kind](store) : nullptr;
}

}  // namespace tavrino
