// cartovel-rc: compiles a resource script into the resource blob that the build attaches
// to a module file as its ".ws_resources" section.
//
//   cartovel-rc SCRIPT.json -o OUT.bin [--depfile OUT.d]
//   cartovel-rc SCRIPT.json --windows-rc OUT.rc [--depfile OUT.d]
//   cartovel-rc SCRIPT.json --header NAMES.h --cli-tables TABLES.cpp
//
// The second form writes the same resources as a Windows resource script, for building
// the module as a Windows DLL, and the pictures and data it names beside it
// (OUT-<id>-<language>.ico, .bmp, .bin).
//
// The script is JSON: {"resources": [entry, ...]}. Each entry has
//   "type"  four characters, e.g. "PIPL", "DLG ", "ICON", "BMP ";
//   "id"    a 32-bit integer;
//   "lang"  optional language number, 1033 when absent;
// and exactly one content key:
//   "pipl"   {"properties": [{"vendor": "ADBE", "key": "kind", "fourcc": "SPEA"},
//                            {"vendor": "ADBE", "key": "ivrs", "int32": 2},
//                            {"vendor": "ADBE", "key": "wx86", "string": "PluginMain"}]}
//            compiled to a property list: int16 1, int32 0, int32 property count, then per
//            property the vendor and key as little-endian int32 codes ('ADBE' is stored as
//            the bytes "EBDA"), int32 id 0, int32 data length and the data NUL-filled to a
//            multiple of four (a "fourcc" is stored like a key; a "string" gets its NUL);
//   "dialog" a dialog template object, checked here and stored as compact JSON (its schema
//            is described in platform/src/DialogTemplate.h);
//   "file"   a path relative to the script; the file's bytes are stored as they are;
//   "bytes"  hex digits, spaces allowed: "89 50 4E 47".
// The same type, id and language may appear only once. With --depfile the tool also writes
// a make-style dependency file naming the script and every file it read, so the build
// compiles again when any of them changes.
//
// The script also holds what the code needs to know of its resources (ScriptFacts.h): an
// entry may name itself with "symbol" (and "namespace"), a dialog's control with "symbol",
// and a dialog with "fieldTable" makes its controls with "field" (radio buttons with
// "value", lists with "aliases", any of them with "whenDisabled") the command line's
// `--set` fields, after its "platformFields". "commands" lists the module's menu commands
// in menu order. --header and --cli-tables write those facts as C++; they may be given
// alone or with either form above.
#include "ResourceScript.h"
#include "ScriptFacts.h"
#include "WindowsScript.h"

#include <CLI/CLI.hpp>

#include <fstream>
#include <iostream>
#include <sstream>

namespace {

std::string escapeForDepfile(const std::string& path) {
    std::string out;
    for (char c : path) {
        if (c == ' ' || c == '#' || c == '\\') out += '\\';
        if (c == '$') out += '$';
        out += c;
    }
    return out;
}

// Writes next to the target and renames, so a failed run never leaves a half-written file.
bool writeFile(const std::filesystem::path& path, const void* data, std::size_t size) {
    const std::filesystem::path temp = path.string() + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!out.flush()) return false;
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) std::filesystem::remove(temp, ec);
    return !ec;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"Compiles a resource script into a resource blob."};
    std::string script;
    std::string output;
    std::string windowsScript;
    std::string depfile;
    std::string header;
    std::string cliTables;
    app.add_option("script", script, "The resource script (JSON)")->required();
    auto* blobOption = app.add_option("-o,--output", output, "The blob to write");
    auto* rcOption = app.add_option("--windows-rc", windowsScript,
                                    "The Windows resource script to write instead");
    blobOption->excludes(rcOption);
    app.add_option("--depfile", depfile, "A dependency file to write for the build");
    app.add_option("--header", header, "The module's header of resource and menu names");
    app.add_option("--cli-tables", cliTables, "The command line's field and command tables");
    CLI11_PARSE(app, argc, argv);
    if (output.empty() && windowsScript.empty() && header.empty() && cliTables.empty()) {
        std::cerr << "cartovel-rc: give -o, --windows-rc, --header or --cli-tables\n";
        return 2;
    }

    try {
        std::ifstream in(script, std::ios::binary);
        if (!in) throw ws::rc::ScriptError("cannot read the script");
        std::stringstream text;
        text << in.rdbuf();
        const auto baseDir = std::filesystem::absolute(script).parent_path();
        const auto compiled = ws::rc::compileScript(text.str(), baseDir);
        if (!windowsScript.empty()) {
            // The pictures first: the script is what the build waits for.
            output = windowsScript;
            std::filesystem::path stem = std::filesystem::absolute(windowsScript);
            stem.replace_extension();
            const auto translated = ws::rc::translateToWindowsScript(text.str(), baseDir, stem);
            for (const auto& [path, bytes] : translated.files)
                if (!writeFile(path, bytes.data(), bytes.size()))
                    throw ws::rc::ScriptError("cannot write " + path.string());
            if (!writeFile(output, translated.text.data(), translated.text.size()))
                throw ws::rc::ScriptError("cannot write " + output);
        } else if (!output.empty()) {
            const auto blob = ws::res::writeBlob(compiled.resources);
            if (!writeFile(output, blob.data(), blob.size()))
                throw ws::rc::ScriptError("cannot write " + output);
        }
        for (const auto& [path, make] : {std::pair{header, &ws::rc::moduleHeader},
                                         std::pair{cliTables, &ws::rc::commandLineTables}}) {
            if (path.empty()) continue;
            const std::string generated = make(text.str());
            if (!writeFile(path, generated.data(), generated.size()))
                throw ws::rc::ScriptError("cannot write " + path);
        }
        if (!depfile.empty()) {
            std::string deps = escapeForDepfile(output) + ":";
            deps += " " + escapeForDepfile(std::filesystem::absolute(script).string());
            for (const auto& input : compiled.inputs)
                deps += " " + escapeForDepfile(std::filesystem::absolute(input).string());
            deps += "\n";
            if (!writeFile(depfile, deps.data(), deps.size()))
                throw ws::rc::ScriptError("cannot write " + depfile);
        }
    } catch (const std::exception& e) {
        std::cerr << "cartovel-rc: " << script << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}
