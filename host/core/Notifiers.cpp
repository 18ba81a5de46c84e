#include "host/core/Notifiers.h"

namespace host {

Notifier& Notifiers::add(Module* owner, std::string_view name, std::string_view type) {
    auto n = std::make_unique<Notifier>();
    n->owner = owner;
    n->name = name;
    n->type = type;
    notifiers_.push_back(std::move(n));
    return *notifiers_.back();
}

Notifier* Notifiers::fromHandle(HostNotifierHandle handle) const {
    for (const auto& n : notifiers_)
        if (n->handle() == handle) return n.get();
    return nullptr;
}

std::vector<Notifier*> Notifiers::ofType(std::string_view type) const {
    std::vector<Notifier*> result;
    for (const auto& n : notifiers_)
        if (n->type == type) result.push_back(n.get());
    return result;
}

std::vector<Notifier*> Notifiers::all() const {
    std::vector<Notifier*> result;
    for (const auto& n : notifiers_)
        result.push_back(n.get());
    return result;
}

} // namespace host
