#include "commands/PanelRun.h"

#include "FieldNames.h"

#include "commands/LayerPath.h"
#include "commands/PanelEffects.h"

#include "host/docsuites/DocumentSession.h"
#include "platform/UserAgent.h"

#include <array>
#include <istream>
#include <optional>
#include <ostream>

namespace cartovel {
namespace {

constexpr const char* kRefreshText = "レイヤーリストを更新";
constexpr const char* kFailedAlert = "エラーにより操作を完了できませんでした";
constexpr std::array<const char*, 2> kRefusalAlerts = {
    "オブジェクトが選択されていません", "指定されたレイヤーは現在のドキュメント上にありません"};

// The origin buttons, left to right.
constexpr std::array<std::string_view, 6> kOrigins = {"left", "centre", "right",
                                                      "top",  "middle", "bottom"};

struct Fields {
    std::optional<std::string> layer;
    std::optional<std::string> layerId;
    std::string group;
    std::string origin;
};

int usage(std::ostream& err, const std::string& message) {
    err << "cartovel: " << message << '\n';
    return kExitUsage;
}

// What one action on a panel came to.
struct ActionResult {
    enum class Kind { Changed, Unchanged, Refused, Failed, Usage } kind = Kind::Unchanged;
    std::string message;
    bool changed = false; // also by a move that failed half-way
};

// The alerts the host showed since `from`, read as the panels' outcomes.
std::optional<ActionResult> alertSince(Session& session, std::size_t from) {
    const auto& alerts = session.app().user().alerts();
    for (std::size_t i = from; i < alerts.size(); ++i) {
        if (alerts[i].text == kFailedAlert)
            return ActionResult{ActionResult::Kind::Failed, alerts[i].text};
        for (const char* refusal : kRefusalAlerts)
            if (alerts[i].text == refusal)
                return ActionResult{ActionResult::Kind::Refused, alerts[i].text};
    }
    return std::nullopt;
}

host::Document& documentOf(Session& session) {
    return host::DocumentSession::of(session.app())->document();
}

// Clicks the layer in the panel's tree: the tree shows the document's item and under it
// every layer in pre-order, so the layer's row follows from its place among the layers.
ws::Outcome clickLayer(Session& session, ws::PanelView& panel, const host::Layer& layer) {
    const host::Document& doc = documentOf(session);
    const std::optional<ws::ControlInfo> tree = panel.firstOfKind(ws::ControlKind::TreeView);
    if (!tree) return {"the panel has no tree"};
    const std::size_t row = layerIndex(doc, layer) + 1;
    // The tree cuts long titles; what it shows starts the title.
    if (row >= tree->tree.size() || tree->tree.front().level != 0 ||
        layer.title.compare(0, tree->tree[row].text.size(), tree->tree[row].text) != 0)
        return {"the panel's tree does not show the layer \"" + layer.title + "\""};
    return panel.clickTreeItemAt(row);
}

// Runs one action and tells what it did; the document is read before and after.
template <class Action> ActionResult act(Session& session, Action&& action) {
    const SelectionRecord before(documentOf(session));
    const std::size_t alertsBefore = session.app().user().alerts().size();
    const ws::Outcome outcome = action();
    session.app().idle();
    if (!outcome) return {ActionResult::Kind::Failed, outcome.error};
    const SelectionRecord::Changes changes = before.changes();
    std::string done;
    if (changes.moved > 0)
        done = "moved " + std::to_string(changes.moved) +
               (changes.moved == 1 ? " object" : " objects");
    else if (changes.textsChanged > 0)
        done = "changed " + std::to_string(changes.textsChanged) +
               (changes.textsChanged == 1 ? " text" : " texts");
    if (std::optional<ActionResult> alert = alertSince(session, alertsBefore)) {
        alert->changed = changes.any();
        if (alert->changed) alert->message += " (" + done + " before it)";
        return *alert;
    }
    if (changes.any()) return {ActionResult::Kind::Changed, done, true};
    return {ActionResult::Kind::Unchanged, "nothing was changed"};
}

ActionResult moveToLayer(Session& session, ws::PanelView& panel, const LayerLookup& target) {
    if (target.layer == nullptr) return {ActionResult::Kind::Usage, target.error};
    ActionResult result = act(session, [&] { return clickLayer(session, panel, *target.layer); });
    if (result.kind == ActionResult::Kind::Unchanged)
        result = {ActionResult::Kind::Refused,
                  "nothing was moved: the selection is already on \"" + target.layer->title + "\""};
    return result;
}

ActionResult setOrigin(Session& session, ws::PanelView& panel, std::size_t button) {
    if (SelectionRecord(documentOf(session)).texts() == 0)
        return {ActionResult::Kind::Refused, "no text is selected"};
    return act(session, [&] { return panel.click(static_cast<std::int32_t>(1101 + button)); });
}

std::optional<std::size_t> originButton(std::string_view name) {
    for (std::size_t i = 0; i < kOrigins.size(); ++i)
        if (name == kOrigins[i] || (name == "center" && i == 1)) return i;
    return std::nullopt;
}

// A person at the terminal drives the panel: the panel view's commands, the host's look
// ("theme dark|light"), and for the move panel a layer by path or id, until "done". Each
// action says what it did; the status is 0, so the document is saved, when any changed it.
int driveFromTerminal(Session& session, ws::PanelView& panel, bool movePanel, std::istream& in,
                      std::ostream& out) {
    out << "Panel commands: show, click TEXT|#ID, tick on|off, "
        << (movePanel ? "tree LAYER/SUBLAYER, layer-id ID, " : "origin left|centre|...|bottom, ")
        << "resize W H, theme dark|light, done\n";
    ws::PanelView::print(panel, out);
    bool changed = false;
    for (std::string line; out << "> " << std::flush, std::getline(in, line);) {
        if (line == "done" || line == "quit") break;
        if (line.rfind("theme ", 0) == 0) {
            session.app().setDarkInterface(line.substr(6) == "dark");
            continue;
        }
        ActionResult result;
        if (movePanel && line.rfind("tree ", 0) == 0) {
            result =
                moveToLayer(session, panel, findLayerByPath(documentOf(session), line.substr(5)));
        } else if (movePanel && line.rfind("layer-id ", 0) == 0) {
            result =
                moveToLayer(session, panel, findLayerById(documentOf(session), line.substr(9)));
        } else if (!movePanel && line.rfind("origin ", 0) == 0) {
            const std::optional<std::size_t> button = originButton(line.substr(7));
            result = button ? setOrigin(session, panel, *button)
                            : ActionResult{ActionResult::Kind::Usage,
                                           "origin is one of left, centre, right, top, middle, "
                                           "bottom"};
        } else {
            result = act(session, [&] { return panel.perform(line, out); });
            if (result.kind == ActionResult::Kind::Unchanged) continue;
        }
        changed = changed || result.changed;
        out << (result.kind == ActionResult::Kind::Failed ? "failed: " : "") << result.message
            << '\n';
    }
    if (changed) return kExitOk;
    out << "cartovel: nothing was changed\n";
    return kExitRefused;
}

} // namespace

bool isPanelField(std::string_view name) {
    return name == "layer" || name == "layer-id" || name == "group" || name == "origin";
}

int runPanelCommand(Session& session, std::string_view command, std::string_view panelTitle,
                    const std::vector<std::string>& settings, bool terminal, std::istream& in,
                    std::ostream& err) {
    const bool movePanel = command == "move-to-layer";
    Fields fields;
    for (const std::string& setting : settings) {
        const auto equals = setting.find('=');
        const std::string name = setting.substr(0, equals);
        const std::string value = equals == std::string::npos ? "" : setting.substr(equals + 1);
        if (name == "layer" && movePanel)
            fields.layer = value;
        else if (name == "layer-id" && movePanel)
            fields.layerId = value;
        else if (name == "group" && movePanel)
            fields.group = value;
        else if (name == "origin" && !movePanel)
            fields.origin = value;
        else
            return usage(err, "--set " + name + " does not belong to " + std::string(command));
    }
    const bool typed = movePanel ? !fields.layer && !fields.layerId : fields.origin.empty();
    if (typed && !terminal)
        return usage(err, movePanel ? "move-to-layer needs --set layer=PATH or --set layer-id=ID"
                                    : "text-origin needs --set origin=SIDE");
    if (fields.layer && fields.layerId)
        return usage(err, "--set layer and --set layer-id name the layer twice; give one");
    const std::optional<bool> group =
        fields.group.empty() ? std::optional<bool>(false) : parseSwitch(fields.group);
    if (!group) return usage(err, "group is on or off, not \"" + fields.group + "\"");
    std::optional<std::size_t> button;
    if (!movePanel && !typed) {
        button = originButton(fields.origin);
        if (!button) return usage(err, "origin is one of left, centre, right, top, middle, bottom");
    }
    LayerLookup target;
    if (fields.layer) {
        target = findLayerByPath(documentOf(session), *fields.layer);
        if (!target.layer) {
            const bool ambiguous = target.error.find("ambiguous") != std::string::npos;
            return usage(err, "--set layer: " + target.error +
                                  (ambiguous ? " or its id (--set layer-id=ID)" : ""));
        }
    } else if (fields.layerId) {
        target = findLayerById(documentOf(session), *fields.layerId);
        if (!target.layer) return usage(err, "--set layer-id: " + target.error);
    }

    ws::PanelView panel(ws::PanelView::find(std::string(panelTitle)));
    if (!panel.exists()) {
        session.fail(kHostErrNotFound,
                     "the module made no panel \"" + std::string(panelTitle) + "\"");
        return session.finish(kHostErrNotFound);
    }
    // A hidden panel is shown from its menu item first.
    if (!panel.isShown()) {
        if (host::MenuItem* item = session.findItem(panelTitle))
            session.app().chooseMenuItem(item->handle());
    }
    if (movePanel) {
        // The tree shows the document as it was at the last refresh.
        ws::Outcome outcome = panel.click(kRefreshText);
        session.app().idle();
        if (outcome) outcome = panel.tick(*group);
        if (!outcome) {
            session.fail(kHostErrRefused, "the panel: " + outcome.error, kExitRefused);
            return session.finish(kHostErrRefused);
        }
    }
    if (typed) return driveFromTerminal(session, panel, movePanel, in, err);

    const ActionResult result =
        movePanel ? moveToLayer(session, panel, target) : setOrigin(session, panel, *button);
    switch (result.kind) {
    case ActionResult::Kind::Changed:
    case ActionResult::Kind::Unchanged: // an origin the texts already have
        return kExitOk;
    case ActionResult::Kind::Usage:
        return usage(err, result.message);
    case ActionResult::Kind::Refused:
        err << "cartovel: refused: " << result.message << "; nothing was changed\n";
        return kExitRefused;
    case ActionResult::Kind::Failed:
        break;
    }
    if (result.message == kFailedAlert) {
        session.fail(kHostErrCant, "the panel's work failed: " + result.message);
        return session.finish(kHostErrCant);
    }
    session.fail(kHostErrRefused, "the panel: " + result.message, kExitRefused);
    return session.finish(kHostErrRefused);
}

} // namespace cartovel
