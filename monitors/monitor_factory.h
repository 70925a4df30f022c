#pragma once

#include <array>
#include <functional>
#include <memory>

#include "monitors/monitor.h"

namespace tavrino {

// The monitor classes the program has, by kind: the main frame offers a
// toggle for each registered kind and opens monitors through it.
class MonitorFactory {
public:
    using Maker = std::function<std::unique_ptr<CMonitor>(SettingsStore& store)>;

    void Register(MonitorKind kind, Maker maker);
    bool Has(MonitorKind kind) const;
    // Null when the kind has no class.
    std::unique_ptr<CMonitor> Create(MonitorKind kind, SettingsStore& store) const;

private:
    std::array<Maker, kMonitorKindCount> makers_;
};

}  // namespace tavrino
