#include "commands/PanelRun.h"

#include "DialogFields.h"

#include "platform/UserAgent.h"

#include <array>
#include <istream>
#include <ostream>
#include <sstream>

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
    std::string layer;
    std::string group;
    std::string origin;
};

std::vector<std::string> splitPath(const std::string& text) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, '/');)
        parts.push_back(part);
    return parts;
}

int usage(std::ostream& err, const std::string& message) {
    err << "cartovel: " << message << '\n';
    return kExitUsage;
}

// A person at the terminal drives the panel: the panel view's commands, and the host's
// look ("theme dark|light", "scale FACTOR" for panels made later), until "done".
void driveFromTerminal(Session& session, ws::PanelView& panel, std::istream& in,
                       std::ostream& out) {
    out << "Panel commands: show, click TEXT|#ID, tick on|off, tree A/B, resize W H, "
           "theme dark|light, done\n";
    ws::PanelView::print(panel, out);
    for (std::string line; out << "> " << std::flush, std::getline(in, line);) {
        if (line == "done" || line == "quit") break;
        if (line.rfind("theme ", 0) == 0) {
            session.app().setDarkInterface(line.substr(6) == "dark");
            continue;
        }
        const ws::Outcome outcome = panel.perform(line, out);
        if (!outcome) out << outcome.error << '\n';
        session.app().idle();
    }
}

} // namespace

bool isPanelField(std::string_view name) {
    return name == "layer" || name == "group" || name == "origin";
}

int runPanelCommand(Session& session, std::string_view command, std::string_view panelTitle,
                    const std::vector<std::string>& settings, bool terminal, std::istream& in,
                    std::ostream& err) {
    Fields fields;
    for (const std::string& setting : settings) {
        const auto equals = setting.find('=');
        const std::string name = setting.substr(0, equals);
        const std::string value = equals == std::string::npos ? "" : setting.substr(equals + 1);
        if (name == "layer" && command == "move-to-layer")
            fields.layer = value;
        else if (name == "group" && command == "move-to-layer")
            fields.group = value;
        else if (name == "origin" && command == "text-origin")
            fields.origin = value;
        else
            return usage(err, "--set " + name + " does not belong to " + std::string(command));
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
    const std::size_t alertsBefore = session.app().user().alerts().size();
    ws::Outcome outcome;
    if (command == "move-to-layer") {
        if (fields.layer.empty() && terminal) {
            driveFromTerminal(session, panel, in, err);
        } else {
            if (fields.layer.empty()) return usage(err, "move-to-layer needs --set layer=PATH");
            const std::optional<bool> group =
                fields.group.empty() ? std::optional<bool>(false) : parseSwitch(fields.group);
            if (!group) return usage(err, "group is on or off, not \"" + fields.group + "\"");
            // Tall enough that every layer row shows, as a person would make it.
            outcome = panel.resize(480, 4000);
            if (outcome) outcome = panel.click(kRefreshText);
            session.app().idle();
            if (outcome) outcome = panel.tick(*group);
            if (outcome) outcome = panel.clickTreeItem(splitPath(fields.layer));
            if (!outcome && outcome.error.find("ambiguous") != std::string::npos)
                return usage(err, outcome.error);
        }
    } else {
        if (fields.origin.empty() && terminal) {
            driveFromTerminal(session, panel, in, err);
        } else {
            std::size_t index = kOrigins.size();
            for (std::size_t i = 0; i < kOrigins.size(); ++i)
                if (fields.origin == kOrigins[i] || (fields.origin == "center" && i == 1))
                    index = i;
            if (index == kOrigins.size())
                return usage(err, "origin is one of left, centre, right, top, middle, bottom");
            outcome = panel.click("#" + std::to_string(1101 + index));
        }
    }
    session.app().idle();
    if (!outcome) {
        session.fail(kHostErrRefused, "the panel: " + outcome.error, kExitRefused);
        return session.finish(kHostErrRefused);
    }
    const auto& alerts = session.app().user().alerts();
    for (std::size_t i = alertsBefore; i < alerts.size(); ++i) {
        if (alerts[i].text == kFailedAlert) {
            session.fail(kHostErrCant, "the panel's work failed: " + alerts[i].text);
            return session.finish(kHostErrCant);
        }
        for (const char* refusal : kRefusalAlerts)
            if (alerts[i].text == refusal) {
                err << "cartovel: nothing was changed\n";
                return kExitRefused;
            }
    }
    return kExitOk;
}

} // namespace cartovel
