#include "ScriptFacts.h"

#include "ResourceScript.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <map>
#include <set>
#include <vector>

namespace ws::rc {
namespace {

using nlohmann::json;

// Keys of a control that name it for the code and the command line; the window system
// never sees them.
constexpr const char* kControlNameKeys[] = {"symbol", "field", "value", "aliases", "whenDisabled"};

struct Symbol {
    std::string name;
    std::int64_t id;
};

struct Field {
    std::string name;
    std::string kind; // DialogField::Kind's enumerator
    std::int64_t control = 0;
    std::string choices;
    std::string whenDisabled;
};

struct FieldTable {
    std::int64_t templateId = 0;
    std::string name;
    std::vector<Field> fields;
};

struct Question {
    std::string name, kind, text, note, preferred;
};

struct PanelField {
    std::string name, values, note, label, labels;
};

struct Command {
    std::string name, symbol, menu, text, enabling, summary;
    bool separatorAfter = false;
    std::vector<std::int64_t> dialogs;
    std::vector<Question> questions;
    std::vector<PanelField> panelFields;
};

struct Facts {
    /** Namespaces in the order the script first names them; "" is the global one. */
    std::vector<std::pair<std::string, std::vector<Symbol>>> names;
    std::vector<FieldTable> tables;
    std::vector<Command> commands;
};

std::string text(const json& object, const char* key, const std::string& where,
                 bool required = false) {
    if (!object.contains(key)) {
        if (required) throw ScriptError(where + " needs \"" + key + "\"");
        return {};
    }
    if (!object[key].is_string()) throw ScriptError(where + ": \"" + key + "\" must be a text");
    return object[key].get<std::string>();
}

bool isIdentifier(const std::string& name) {
    if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0]))) return false;
    for (char c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    return true;
}

// "image-selected" -> "ImageSelected"
std::string camelCase(const std::string& words) {
    std::string out;
    bool upper = true;
    for (char c : words) {
        if (c == '-') {
            upper = true;
            continue;
        }
        out += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
        upper = false;
    }
    return out;
}

void addSymbol(Facts& facts, const std::string& space, const std::string& name, std::int64_t id,
               const std::string& where) {
    if (!isIdentifier(name)) throw ScriptError(where + ": \"" + name + "\" is no C++ name");
    if (!space.empty() && !isIdentifier(space))
        throw ScriptError(where + ": \"" + space + "\" is no C++ namespace");
    auto found = facts.names.begin();
    while (found != facts.names.end() && found->first != space)
        ++found;
    if (found == facts.names.end()) found = facts.names.insert(found, {space, {}});
    for (const Symbol& symbol : found->second)
        if (symbol.name == name)
            throw ScriptError(where + ": \"" + name + "\" is named twice in namespace \"" + space +
                              "\"");
    found->second.push_back({name, id});
}

std::string kindOf(const json& control, const std::string& where) {
    const std::string cls = text(control, "class", where);
    std::set<std::string> style;
    if (control.contains("style") && control["style"].is_array())
        for (const json& word : control["style"])
            if (word.is_string()) style.insert(word.get<std::string>());
    if (cls == "EDIT") return "Text";
    if (cls == "COMBOBOX" || cls == "LISTBOX") return "Pick";
    if (cls == "BUTTON" && style.count("checkbox")) return "Check";
    if (cls == "BUTTON" && style.count("radio")) return "Choice";
    throw ScriptError(where + ": only edit fields, lists, check boxes and radio buttons are "
                              "fields");
}

// A control's field: a radio button adds its value to its group's field, which takes the
// id of the group's first button.
void addControlField(FieldTable& table, const json& control, std::int64_t id,
                     const std::string& where) {
    const std::string name = text(control, "field", where);
    const std::string kind = kindOf(control, where);
    Field* same = nullptr;
    for (Field& field : table.fields)
        if (field.name == name) same = &field;
    if (kind == "Choice") {
        const std::string pair = text(control, "value", where, true) + ":" + std::to_string(id);
        if (same == nullptr) {
            table.fields.push_back({name, kind, id, pair, text(control, "whenDisabled", where)});
            return;
        }
        if (same->kind == "Choice") {
            same->choices += "," + pair;
            return;
        }
    } else if (same == nullptr) {
        Field field{name, kind, id, {}, text(control, "whenDisabled", where)};
        if (control.contains("aliases")) {
            if (kind != "Pick" || !control["aliases"].is_array())
                throw ScriptError(where + ": \"aliases\" is a list of a list field's entries");
            for (std::size_t i = 0; i < control["aliases"].size(); ++i) {
                if (!control["aliases"][i].is_string())
                    throw ScriptError(where + ": an alias is a text");
                field.choices += (i ? "," : "") + control["aliases"][i].get<std::string>() + ":" +
                                 std::to_string(i);
            }
        }
        table.fields.push_back(std::move(field));
        return;
    }
    throw ScriptError(where + ": the field \"" + name + "\" is given twice");
}

void readDialog(Facts& facts, const json& entry, std::int64_t id, const std::string& where) {
    const std::string space = text(entry, "namespace", where);
    const json& controls = entry["dialog"].value("controls", json::array());
    FieldTable table{id, text(entry, "fieldTable", where), {}};
    for (const json& extra : entry.value("platformFields", json::array())) {
        if (!extra.is_object() || !extra.contains("id") || !extra["id"].is_number_integer())
            throw ScriptError(where + ": a platform field needs an \"id\"");
        const std::string kind = camelCase(text(extra, "kind", where, true));
        if (kind != "Text" && kind != "Path")
            throw ScriptError(where + ": a platform field is a text or a path");
        table.fields.push_back(
            {text(extra, "field", where, true), kind, extra["id"].get<std::int64_t>(), {}, {}});
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const json& control = controls[i];
        const std::string at = where + ", control " + std::to_string(i + 1);
        if (!control.is_object()) continue; // the template check reports it
        const bool named = control.contains("symbol");
        const bool field = control.contains("field");
        if (!named && !field) continue;
        if (!control.contains("id") || !control["id"].is_number_integer())
            throw ScriptError(at + ": a named control needs an \"id\"");
        const std::int64_t controlId = control["id"].get<std::int64_t>();
        if (named) addSymbol(facts, space, text(control, "symbol", at), controlId, at);
        if (field) {
            if (table.name.empty())
                throw ScriptError(at + ": a field needs the dialog's \"fieldTable\" name");
            addControlField(table, control, controlId, at);
        }
    }
    if (table.name.empty()) return;
    for (const FieldTable& other : facts.tables)
        if (other.name == table.name)
            throw ScriptError(where + ": the field table \"" + table.name + "\" is given twice");
    facts.tables.push_back(std::move(table));
}

Command readCommand(const Facts& facts, const json& entry, const std::string& where) {
    if (!entry.is_object()) throw ScriptError(where + " is not an object");
    Command c;
    c.name = text(entry, "name", where, true);
    c.symbol = text(entry, "symbol", where, true);
    if (!isIdentifier(c.symbol)) throw ScriptError(where + ": \"symbol\" is no C++ name");
    c.menu = text(entry, "menu", where, true);
    if (c.menu != "objects" && c.menu != "windows")
        throw ScriptError(where + ": \"menu\" is \"objects\" or \"windows\"");
    c.text = text(entry, "text", where, true);
    c.summary = text(entry, "summary", where, true);
    c.enabling = text(entry, "enabling", where, c.menu == "objects");
    if (c.menu == "windows" && !c.enabling.empty())
        throw ScriptError(where + ": a panel's item is never enabled automatically");
    if (c.enabling.empty()) c.enabling = "none";
    c.separatorAfter = entry.value("separatorAfter", false);
    for (const json& dialog : entry.value("dialogs", json::array())) {
        const std::string name = dialog.is_string() ? dialog.get<std::string>() : "";
        const FieldTable* found = nullptr;
        for (const FieldTable& table : facts.tables)
            if (table.name == name) found = &table;
        if (found == nullptr)
            throw ScriptError(where + ": no dialog has the field table \"" + name + "\"");
        c.dialogs.push_back(found->templateId);
    }
    for (const json& q : entry.value("questions", json::array())) {
        const std::string kind = camelCase(text(q, "kind", where, true));
        if (kind != "OkCancel" && kind != "YesNo")
            throw ScriptError(where + ": a question is \"ok-cancel\" or \"yes-no\"");
        const std::string preferred = q.contains("preferred") ? text(q, "preferred", where) : "ok";
        c.questions.push_back({text(q, "name", where, true), kind, text(q, "text", where, true),
                               text(q, "note", where), preferred});
    }
    for (const json& f : entry.value("panelFields", json::array()))
        c.panelFields.push_back({text(f, "name", where, true), text(f, "values", where, true),
                                 text(f, "note", where), text(f, "label", where),
                                 text(f, "labels", where)});
    return c;
}

Facts readFacts(const std::string& scriptText) {
    json root;
    try {
        root = json::parse(scriptText);
    } catch (const json::exception& e) {
        throw ScriptError(std::string("the script is not valid JSON: ") + e.what());
    }
    Facts facts;
    const json& entries = root.value("resources", json::array());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const json& e = entries[i];
        const std::string where = "resource " + std::to_string(i + 1);
        if (!e.is_object() || !e.contains("id") || !e["id"].is_number_integer())
            continue; // compileScript reports it
        const std::int64_t id = e["id"].get<std::int64_t>();
        if (e.contains("symbol"))
            addSymbol(facts, text(e, "namespace", where), text(e, "symbol", where), id, where);
        if (e.contains("dialog") && e["dialog"].is_object()) readDialog(facts, e, id, where);
    }
    const json& commands = root.value("commands", json::array());
    std::set<std::string> seen;
    for (std::size_t i = 0; i < commands.size(); ++i) {
        Command c = readCommand(facts, commands[i], "command " + std::to_string(i + 1));
        if (!seen.insert(c.name).second || !seen.insert("symbol " + c.symbol).second)
            throw ScriptError("command " + std::to_string(i + 1) + ": \"" + c.name +
                              "\" or its symbol is given twice");
        facts.commands.push_back(std::move(c));
    }
    return facts;
}

// A C++ string literal of UTF-8 text.
std::string literal(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20 || u == 0x7F) {
            char octal[5];
            std::snprintf(octal, sizeof octal, "\\%03o", u);
            out += octal;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

constexpr const char* kBanner = "// Made by cartovel-rc from the resource script; edit the script, "
                                "not this file.\n";

std::vector<const Command*> inMenu(const Facts& facts, const std::string& menu) {
    std::vector<const Command*> out;
    for (const Command& c : facts.commands)
        if (c.menu == menu) out.push_back(&c);
    return out;
}

} // namespace

json dialogTemplateOf(const json& dialog) {
    json out = dialog;
    if (out.is_object() && out.contains("controls") && out["controls"].is_array())
        for (json& control : out["controls"])
            if (control.is_object())
                for (const char* key : kControlNameKeys)
                    control.erase(key);
    return out;
}

std::string moduleHeader(const std::string& scriptText) {
    const Facts facts = readFacts(scriptText);
    std::string out = kBanner;
    out += "#pragma once\n\n#include <array>\n#include <cstdint>\n";
    for (const auto& [space, symbols] : facts.names) {
        out += space.empty() ? "\n" : "\nnamespace " + space + " {\n";
        for (const Symbol& symbol : symbols)
            out += "inline constexpr std::int32_t " + symbol.name + " = " +
                   std::to_string(symbol.id) + ";\n";
        if (!space.empty()) out += "} // namespace " + space + "\n";
    }
    std::vector<std::string> enablings = {"none"};
    for (const Command& c : facts.commands)
        if (std::find(enablings.begin(), enablings.end(), c.enabling) == enablings.end())
            enablings.push_back(c.enabling);
    out += "\n// The module's menu commands: the objects sub-menu and the windows sub-menu.\n"
           "namespace menu {\n\n/** When the host enables an item by itself. */\nenum class "
           "Enabling {";
    for (std::size_t i = 0; i < enablings.size(); ++i)
        out += (i ? ", " : " ") + camelCase(enablings[i]);
    out += " };\n\nstruct Item {\n    /** The command line's name. */\n    const char* command;\n"
           "    /** UTF-8. */\n    const char* text;\n    Enabling enabling;\n"
           "    bool separatorAfter;\n};\n\n";
    for (const Command& c : facts.commands)
        out += "inline constexpr Item " + c.symbol + "{" + literal(c.name) + ", " +
               literal(c.text) + ", Enabling::" + camelCase(c.enabling) + ", " +
               (c.separatorAfter ? "true" : "false") + "};\n";
    for (const char* menu : {"objects", "windows"}) {
        const auto items = inMenu(facts, menu);
        out += "\n/** The " + std::string(menu) + " sub-menu, top to bottom. */\n";
        out += "inline constexpr std::array<const Item*, " + std::to_string(items.size()) + "> k" +
               camelCase(menu) + "{";
        for (std::size_t i = 0; i < items.size(); ++i)
            out += (i ? ", &" : "&") + items[i]->symbol;
        out += "};\n";
    }
    out += "\n} // namespace menu\n";
    return out;
}

std::string commandLineTables(const std::string& scriptText) {
    const Facts facts = readFacts(scriptText);
    std::string out = kBanner;
    out += "#include \"FieldNames.h\"\n#include \"commands/CommandTable.h\"\n\n#include "
           "<array>\n\nnamespace cartovel {\nnamespace {\n\nusing Kind = DialogField::Kind;\n"
           "using host::QuestionKind;\n";
    auto array = [&](const std::string& type, const std::string& name, std::size_t size) {
        return "\nconstexpr std::array<" + type + ", " + std::to_string(size) + "> " + name +
               "{{\n";
    };
    for (std::size_t t = 0; t < facts.tables.size(); ++t) {
        const FieldTable& table = facts.tables[t];
        out += array("DialogField", "kFields" + std::to_string(t), table.fields.size());
        for (const Field& f : table.fields)
            out += "    {" + literal(f.name) + ", Kind::" + f.kind + ", " +
                   std::to_string(f.control) + ", " + literal(f.choices) + ", " +
                   literal(f.whenDisabled) + "},\n";
        out += "}};\n";
    }
    out += array("DialogFieldTable", "kTables", facts.tables.size());
    for (std::size_t t = 0; t < facts.tables.size(); ++t)
        out += "    {" + std::to_string(facts.tables[t].templateId) + ", " +
               literal(facts.tables[t].name) + ", kFields" + std::to_string(t) + "},\n";
    out += "}};\n";

    std::string rows;
    for (std::size_t i = 0; i < facts.commands.size(); ++i) {
        const Command& c = facts.commands[i];
        const std::string n = std::to_string(i);
        std::string dialogs = "{}", questions = "{}", panelFields = "{}";
        if (!c.dialogs.empty()) {
            dialogs = "kDialogs" + n;
            out += "\nconstexpr std::array<std::int32_t, " + std::to_string(c.dialogs.size()) +
                   "> " + dialogs + "{";
            for (std::size_t d = 0; d < c.dialogs.size(); ++d)
                out += (d ? ", " : "") + std::to_string(c.dialogs[d]);
            out += "};\n";
        }
        if (!c.questions.empty()) {
            questions = "kQuestions" + n;
            out += array("CommandQuestion", questions, c.questions.size());
            for (const Question& q : c.questions)
                out += "    {" + literal(q.name) + ", QuestionKind::" + q.kind + ", " +
                       literal(q.text) + ", " + literal(q.note) + ", " + literal(q.preferred) +
                       "},\n";
            out += "}};\n";
        }
        if (!c.panelFields.empty()) {
            panelFields = "kPanelFields" + n;
            out += array("PanelField", panelFields, c.panelFields.size());
            for (const PanelField& f : c.panelFields)
                out += "    {" + literal(f.name) + ", " + literal(f.values) + ", " +
                       literal(f.note) + ", " + literal(f.label) + ", " + literal(f.labels) +
                       "},\n";
            out += "}};\n";
        }
        rows += "    {" + literal(c.name) + ", " + literal(c.text) + ", " + literal(c.summary) +
                ", " + dialogs + ", " + questions + ", " +
                (c.menu == "windows" ? "true" : "false") + ", " + panelFields + "},\n";
    }
    out += array("CommandEntry", "kCommands", facts.commands.size()) + rows + "}};\n";
    out += "\n} // namespace\n\nstd::span<const DialogFieldTable> allDialogFields() {\n"
           "    return kTables;\n}\n\nstd::span<const CommandEntry> commandTable() {\n"
           "    return kCommands;\n}\n\n} // namespace cartovel\n";
    return out;
}

} // namespace ws::rc
