#include "ResourceScript.h"

#include "DialogTemplate.h"
#include "Picture.h"
#include "ScriptFacts.h"
#include "platform/ws.h"

#include <nlohmann/json.hpp>

#include <fstream>
#include <iterator>
#include <set>

namespace ws::rc {
namespace {

using nlohmann::json;

// Offsets in the blob are 32-bit.
constexpr std::uint64_t kMaxBlobData = 0xF0000000u;

void putLE32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

std::uint32_t fourcc(const json& value, const std::string& where) {
    auto code = value.is_string() ? res::fourCharCode(value.get<std::string>()) : std::nullopt;
    if (!code) throw ScriptError(where + " must be a four-character text");
    return *code;
}

// The plug-in property list: int16 1, int32 0, int32 count, then per property the vendor
// and key as little-endian four-character codes, int32 id 0, int32 data length and the
// data, NUL-filled to a multiple of four bytes.
std::vector<std::uint8_t> compilePropertyList(const json& pipl, const std::string& where) {
    if (!pipl.is_object() || !pipl.contains("properties") || !pipl["properties"].is_array())
        throw ScriptError(where + ": \"pipl\" needs a \"properties\" array");
    const json& properties = pipl["properties"];
    std::vector<std::uint8_t> out = {1, 0, 0, 0, 0, 0};
    putLE32(out, static_cast<std::uint32_t>(properties.size()));
    for (std::size_t i = 0; i < properties.size(); ++i) {
        const json& p = properties[i];
        const std::string at = where + ", property " + std::to_string(i + 1);
        if (!p.is_object()) throw ScriptError(at + " is not an object");
        putLE32(out, fourcc(p.value("vendor", json()), at + ": \"vendor\""));
        putLE32(out, fourcc(p.value("key", json()), at + ": \"key\""));
        putLE32(out, 0);
        std::vector<std::uint8_t> data;
        const int kinds = p.contains("fourcc") + p.contains("int32") + p.contains("string");
        if (kinds != 1)
            throw ScriptError(at + " needs exactly one of \"fourcc\", \"int32\", \"string\"");
        if (p.contains("fourcc")) {
            putLE32(data, fourcc(p["fourcc"], at + ": \"fourcc\""));
        } else if (p.contains("int32")) {
            const json& v = p["int32"];
            if (!v.is_number_integer() || v.get<std::int64_t>() < INT32_MIN ||
                v.get<std::int64_t>() > INT32_MAX)
                throw ScriptError(at + ": \"int32\" must be a 32-bit integer");
            putLE32(data, static_cast<std::uint32_t>(v.get<std::int64_t>()));
        } else {
            if (!p["string"].is_string()) throw ScriptError(at + ": \"string\" must be a text");
            const std::string s = p["string"].get<std::string>();
            data.assign(s.begin(), s.end());
            data.push_back(0);
        }
        data.resize((data.size() + 3) & ~std::size_t{3}, 0);
        putLE32(out, static_cast<std::uint32_t>(data.size()));
        out.insert(out.end(), data.begin(), data.end());
    }
    return out;
}

// Stored without the names the script gives its controls, so naming a control for the code
// leaves the resource as it was.
std::vector<std::uint8_t> compileDialog(const json& dialog, const std::string& where) {
    const std::string text = dialogTemplateOf(dialog).dump();
    std::string error;
    if (!parseDialogTemplate(text, &error)) throw ScriptError(where + ": " + error);
    return {text.begin(), text.end()};
}

std::vector<std::uint8_t> readFile(const std::filesystem::path& path, const std::string& where) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ScriptError(where + ": cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> parseHex(const json& value, const std::string& where) {
    if (!value.is_string()) throw ScriptError(where + ": \"bytes\" must be a hex text");
    std::string digits;
    for (char c : value.get<std::string>()) {
        if (std::isxdigit(static_cast<unsigned char>(c)))
            digits += c;
        else if (!std::isspace(static_cast<unsigned char>(c)))
            throw ScriptError(where + ": \"bytes\" holds a character that is not hex");
    }
    if (digits.size() % 2) throw ScriptError(where + ": \"bytes\" has an odd number of digits");
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i < digits.size(); i += 2)
        out.push_back(static_cast<std::uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    return out;
}

// 'ICON' takes "sizes": the drawing's size and any whole multiples of it, largest first.
std::vector<std::uint8_t> compilePicture(const json& entry, std::uint32_t type,
                                         const std::string& where) {
    const Picture picture = parsePicture(entry["picture"], where);
    if (type == WS_FOURCC('B', 'M', 'P', ' ')) return encodeBmp(picture);
    if (type == WS_FOURCC('P', 'N', 'G', 'I')) return encodePng(picture);
    if (type != WS_FOURCC('I', 'C', 'O', 'N'))
        throw ScriptError(where + ": pictures make 'BMP ', 'PNGI' or 'ICON' resources");
    std::vector<Picture> images;
    const json sizes = entry.value("sizes", json::array({picture.width}));
    if (!sizes.is_array() || sizes.empty()) throw ScriptError(where + ": \"sizes\" is a list");
    for (const json& size : sizes) {
        if (!size.is_number_integer() || size.get<int>() % picture.width != 0 ||
            size.get<int>() <= 0 || picture.width != picture.height)
            throw ScriptError(where + ": each size is a multiple of a square drawing's size");
        images.push_back(scalePicture(picture, size.get<int>() / picture.width));
    }
    return encodeIcon(images);
}

} // namespace

CompiledScript compileScript(const std::string& scriptText, const std::filesystem::path& baseDir) {
    json root;
    try {
        root = json::parse(scriptText);
    } catch (const json::exception& e) {
        throw ScriptError(std::string("the script is not valid JSON: ") + e.what());
    }
    if (!root.is_object() || !root.contains("resources") || !root["resources"].is_array())
        throw ScriptError("the script needs a \"resources\" array");

    CompiledScript out;
    std::uint64_t total = 0;
    std::set<std::tuple<std::uint32_t, std::int32_t, std::uint16_t>> seen;
    const json& entries = root["resources"];
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const json& e = entries[i];
        std::string where = "resource " + std::to_string(i + 1);
        if (!e.is_object()) throw ScriptError(where + " is not an object");
        res::Resource r;
        r.type = fourcc(e.value("type", json()), where + ": \"type\"");
        const json id = e.value("id", json());
        if (!id.is_number_integer() || id.get<std::int64_t>() < INT32_MIN ||
            id.get<std::int64_t>() > INT32_MAX)
            throw ScriptError(where + ": \"id\" must be a 32-bit integer");
        r.id = static_cast<std::int32_t>(id.get<std::int64_t>());
        where += " ('" + e["type"].get<std::string>() + "' " + std::to_string(r.id) + ")";
        if (e.contains("lang")) {
            const json& lang = e["lang"];
            if (!lang.is_number_integer() || lang.get<std::int64_t>() < 0 ||
                lang.get<std::int64_t>() > 0xFFFF)
                throw ScriptError(where + ": \"lang\" must be a 16-bit number");
            r.language = static_cast<std::uint16_t>(lang.get<std::int64_t>());
        }
        if (!seen.insert({r.type, r.id, r.language}).second)
            throw ScriptError(where + " appears twice");

        const int kinds = e.contains("pipl") + e.contains("dialog") + e.contains("file") +
                          e.contains("bytes") + e.contains("picture");
        if (kinds != 1)
            throw ScriptError(where + " needs exactly one of \"pipl\", \"dialog\", \"file\", "
                                      "\"bytes\", \"picture\"");
        if (e.contains("picture")) {
            r.data = compilePicture(e, r.type, where);
        } else if (e.contains("pipl")) {
            r.data = compilePropertyList(e["pipl"], where);
        } else if (e.contains("dialog")) {
            r.data = compileDialog(e["dialog"], where);
        } else if (e.contains("file")) {
            if (!e["file"].is_string()) throw ScriptError(where + ": \"file\" must be a path");
            const std::filesystem::path file = baseDir / e["file"].get<std::string>();
            r.data = readFile(file, where);
            out.inputs.push_back(file);
        } else {
            r.data = parseHex(e["bytes"], where);
        }
        total += r.data.size() + 4;
        if (total > kMaxBlobData) throw ScriptError(where + ": the resources are too large");
        out.resources.push_back(std::move(r));
    }
    return out;
}

} // namespace ws::rc
