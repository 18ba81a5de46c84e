// A user that plays a script of actions.
#include "platform/UserAgent.h"

namespace ws {

using Kind = ScriptedUser::Action::Kind;

ScriptedUser::Action ScriptedUser::type(std::int32_t id, std::string text) {
    return {Kind::Type, id, std::move(text), 0, {}};
}
ScriptedUser::Action ScriptedUser::leave(std::int32_t id) {
    return {Kind::Leave, id, {}, 0, {}};
}
ScriptedUser::Action ScriptedUser::click(std::int32_t id) {
    return {Kind::Click, id, {}, 0, {}};
}
ScriptedUser::Action ScriptedUser::pickIndex(std::int32_t id, int index) {
    return {Kind::PickIndex, id, {}, index, {}};
}
ScriptedUser::Action ScriptedUser::pickText(std::int32_t id, std::string text) {
    return {Kind::PickText, id, std::move(text), 0, {}};
}
ScriptedUser::Action ScriptedUser::end() {
    return {Kind::End, 0, {}, 0, {}};
}
ScriptedUser::Action ScriptedUser::inspect(std::function<void(DialogView&)> f) {
    return {Kind::Inspect, 0, {}, 0, std::move(f)};
}

ScriptedUser::ScriptedUser(std::vector<Action> script) : script_(std::move(script)) {}

ScriptedUser& ScriptedUser::then(Action action) {
    script_.push_back(std::move(action));
    return *this;
}

void ScriptedUser::runDialog(DialogView& dialog) {
    dialogs_.push_back(dialog.snapshot());
    while (dialog.isOpen() && next_ < script_.size()) {
        const Action& action = script_[next_++];
        if (action.kind == Kind::End) return;
        if (Outcome o = play(dialog, action); !o) {
            reportError(o.error);
            next_ = script_.size();
            return;
        }
    }
}

void ScriptedUser::reportError(const std::string& message) {
    errors_.push_back(message);
}

Outcome ScriptedUser::play(DialogView& dialog, const Action& action) {
    switch (action.kind) {
    case Kind::Type:
        return dialog.type(action.id, action.text);
    case Kind::Leave:
        return dialog.leave(action.id);
    case Kind::Click:
        return dialog.click(action.id);
    case Kind::PickIndex:
        return dialog.pickIndex(action.id, action.index);
    case Kind::PickText:
        return dialog.pickText(action.id, action.text);
    case Kind::Inspect:
        if (action.inspect) action.inspect(dialog);
        return {};
    case Kind::End:
        break;
    }
    return {};
}

} // namespace ws
