// Registrations of modules for host notifications, kept in registration order.
#pragma once

#include "hostapi/HostTypes.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace host {

class Module;

struct Notifier {
    Module* owner = nullptr;
    std::string name;
    std::string type;

    [[nodiscard]] HostNotifierHandle handle() const {
        return reinterpret_cast<HostNotifierHandle>(const_cast<Notifier*>(this));
    }
};

class Notifiers {
public:
    Notifier& add(Module* owner, std::string_view name, std::string_view type);
    [[nodiscard]] Notifier* fromHandle(HostNotifierHandle handle) const;
    /// Registrations for type, in registration order.
    [[nodiscard]] std::vector<Notifier*> ofType(std::string_view type) const;
    [[nodiscard]] std::vector<Notifier*> all() const;

private:
    std::vector<std::unique_ptr<Notifier>> notifiers_;
};

} // namespace host
