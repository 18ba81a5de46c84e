#include "host/prefs/PreferenceStore.h"

#include "host/core/Strings.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <iostream>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace host {
namespace {

using nlohmann::json;

constexpr const char* kFormat = "cartovel-preferences";
constexpr int kVersion = 1;
// Far beyond any real preference file; a bigger one is not ours.
constexpr std::uintmax_t kMaxFileSize = 16u << 20;

struct Damage : std::runtime_error {
    using std::runtime_error::runtime_error;
};

bool validName(std::string_view name) {
    return !name.empty() && isValidUtf8(name);
}

PreferenceValue parseValue(const json& entry, const std::string& where) {
    if (!entry.is_object() || entry.size() != 1)
        throw Damage(where + " is not an object with one kind");
    const std::string& kind = entry.begin().key();
    const json& value = entry.begin().value();
    if (kind == "boolean") {
        if (!value.is_boolean()) throw Damage(where + ": the boolean is not true or false");
        return value.get<bool>();
    }
    if (kind == "integer") {
        if (!value.is_number_integer()) throw Damage(where + ": the integer is not an integer");
        if (value.is_number_unsigned()) {
            if (value.get<std::uint64_t>() > std::numeric_limits<std::int32_t>::max())
                throw Damage(where + ": the integer is out of range");
        } else {
            const auto v = value.get<std::int64_t>();
            if (v < std::numeric_limits<std::int32_t>::min() ||
                v > std::numeric_limits<std::int32_t>::max())
                throw Damage(where + ": the integer is out of range");
        }
        return static_cast<std::int32_t>(value.get<std::int64_t>());
    }
    if (kind == "real") {
        if (!value.is_number()) throw Damage(where + ": the real is not a number");
        const double v = value.get<double>();
        if (!std::isfinite(v)) throw Damage(where + ": the real is not finite");
        return v;
    }
    if (kind == "text") {
        if (!value.is_string()) throw Damage(where + ": the text is not a string");
        return PreferenceText{value.get<std::string>()};
    }
    if (kind == "path") {
        if (!value.is_string()) throw Damage(where + ": the path is not a string");
        return PreferencePath{value.get<std::string>()};
    }
    throw Damage(where + ": unknown kind \"" + kind + "\"");
}

json valueJson(const PreferenceValue& value) {
    struct Visitor {
        json operator()(bool v) const { return {{"boolean", v}}; }
        json operator()(std::int32_t v) const { return {{"integer", v}}; }
        json operator()(double v) const { return {{"real", v}}; }
        json operator()(const PreferenceText& v) const { return {{"text", v.utf8}}; }
        json operator()(const PreferencePath& v) const { return {{"path", v.path}}; }
    };
    return std::visit(Visitor{}, value);
}

std::string errnoText() {
    return std::strerror(errno);
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { close(); }
    int get() const { return fd_; }
    bool close() {
        if (fd_ < 0) return true;
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0;
    }

private:
    int fd_;
};

/// Writes bytes to target through a temporary file in the same folder: written, flushed
/// to the disk, then renamed over target. Returns an empty string or why it failed; the
/// temporary file never stays behind.
std::string writeAtomically(const std::filesystem::path& target, const std::string& bytes) {
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) return "cannot create a file in " + folder.string() + ": " + errnoText();
    FileDescriptor file(fd);
    const std::string temp = pattern;
    const auto fail = [&](const std::string& why) {
        file.close();
        ::unlink(temp.c_str());
        return why;
    };
    ::fchmod(fd, 0600);
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return fail("cannot write " + temp + ": " + errnoText());
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) return fail("cannot flush " + temp + ": " + errnoText());
    if (!file.close()) return fail("cannot close " + temp + ": " + errnoText());
    if (::rename(temp.c_str(), target.c_str()) != 0)
        return fail("cannot replace " + target.string() + ": " + errnoText());
    // The rename itself must reach the disk too.
    if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}

std::string timestamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

} // namespace

PreferenceStore::PreferenceStore(std::filesystem::path file, Reporter reporter)
    : file_(std::move(file)), reporter_(std::move(reporter)) {
    load();
}

std::filesystem::path PreferenceStore::defaultFile() {
    std::filesystem::path folder;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config != 0)
        folder = config;
    else if (const char* home = std::getenv("HOME"); home != nullptr && *home != 0)
        folder = std::filesystem::path(home) / ".config";
    else
        folder = std::filesystem::temp_directory_path();
    return folder / "cartovel" / "preferences.json";
}

const PreferenceValue* PreferenceStore::find(std::string_view prefix, std::string_view key) const {
    const auto keys = values_.find(prefix);
    if (keys == values_.end()) return nullptr;
    const auto value = keys->second.find(key);
    return value == keys->second.end() ? nullptr : &value->second;
}

HostErr PreferenceStore::put(std::string_view prefix, std::string_view key, PreferenceValue value) {
    if (!validName(prefix) || !validName(key)) return kHostErrBadParameter;
    if (const double* real = std::get_if<double>(&value); real && !std::isfinite(*real))
        return kHostErrBadParameter;
    if (const auto* text = std::get_if<PreferenceText>(&value); text && !isValidUtf8(text->utf8))
        return kHostErrBadParameter;
    if (const auto* path = std::get_if<PreferencePath>(&value); path && !isValidUtf8(path->path))
        return kHostErrBadParameter;
    if (!writable_) return kHostErrFile;
    Prefixes next = values_;
    auto keys = next.find(prefix);
    if (keys == next.end()) keys = next.emplace(std::string(prefix), Keys{}).first;
    keys->second.insert_or_assign(std::string(key), std::move(value));
    if (const HostErr err = save(next)) return err;
    values_ = std::move(next);
    return kHostNoErr;
}

std::size_t PreferenceStore::size() const {
    std::size_t n = 0;
    for (const auto& [prefix, keys] : values_)
        n += keys.size();
    return n;
}

void PreferenceStore::load() {
    std::error_code ec;
    const auto status = std::filesystem::status(file_, ec);
    if (status.type() == std::filesystem::file_type::not_found) return;
    if (ec || status.type() != std::filesystem::file_type::regular) {
        writable_ = false;
        report("the preferences file " + file_.string() +
               " is not a readable file; preferences start empty and will not be saved");
        return;
    }
    const std::uintmax_t size = std::filesystem::file_size(file_, ec);
    if (!ec && size > kMaxFileSize) {
        setAside("it is larger than any preferences file");
        return;
    }
    std::ifstream in(file_, std::ios::binary);
    std::stringstream text;
    if (!in || !(text << in.rdbuf())) {
        // An empty file reads as nothing and is damaged below; a file that cannot be read
        // at all must not be overwritten.
        if (!in || size != 0) {
            writable_ = false;
            report("cannot read the preferences file " + file_.string() +
                   "; preferences start empty and will not be saved");
            return;
        }
    }
    try {
        json root;
        try {
            root = json::parse(text.str());
        } catch (const json::parse_error& e) {
            throw Damage(std::string("it is not valid JSON (") + e.what() + ")");
        }
        if (!root.is_object() || root.value("format", json()) != kFormat)
            throw Damage("it is not a cartovel preferences file");
        if (root.value("version", json()) != kVersion)
            throw Damage("its version is not " + std::to_string(kVersion));
        const json values = root.value("values", json::object());
        if (!values.is_object()) throw Damage("\"values\" is not an object");
        Prefixes loaded;
        for (const auto& [prefix, keys] : values.items()) {
            if (!validName(prefix)) throw Damage("an empty prefix");
            if (!keys.is_object()) throw Damage("prefix \"" + prefix + "\" is not an object");
            Keys& into = loaded[prefix];
            for (const auto& [key, entry] : keys.items()) {
                if (!validName(key)) throw Damage("an empty key under \"" + prefix + "\"");
                into.emplace(key, parseValue(entry, "\"" + prefix + "\" / \"" + key + "\""));
            }
        }
        values_ = std::move(loaded);
    } catch (const Damage& damage) {
        setAside(damage.what());
    } catch (const json::exception& e) {
        setAside(e.what());
    }
}

void PreferenceStore::setAside(const std::string& reason) {
    values_.clear();
    const std::string stem = file_.string() + ".damaged-" + timestamp();
    std::filesystem::path aside = stem;
    std::error_code ec;
    for (int n = 2; std::filesystem::exists(aside, ec) || ec; ++n) {
        if (n > 1000) break;
        aside = stem + "-" + std::to_string(n);
    }
    // rename never replaces a file here: the name was checked to be free.
    if (!std::filesystem::exists(aside, ec) && ::rename(file_.c_str(), aside.c_str()) == 0) {
        keptAside_ = aside;
        report("the preferences file " + file_.string() + " is damaged (" + reason +
               "); it was kept as " + aside.string() + " and preferences start empty");
        return;
    }
    writable_ = false;
    report("the preferences file " + file_.string() + " is damaged (" + reason +
           ") and could not be set aside; preferences start empty and will not be saved");
}

HostErr PreferenceStore::save(const Prefixes& values) {
    json root = {{"format", kFormat}, {"version", kVersion}, {"values", json::object()}};
    json& out = root["values"];
    for (const auto& [prefix, keys] : values) {
        json& into = out[prefix];
        into = json::object();
        for (const auto& [key, value] : keys)
            into[key] = valueJson(value);
    }
    const std::string why = writeAtomically(file_, root.dump(2) + "\n");
    if (why.empty()) return kHostNoErr;
    report("the preferences could not be saved: " + why);
    return kHostErrFile;
}

void PreferenceStore::report(const std::string& message) const {
    if (reporter_)
        reporter_(message);
    else
        std::cerr << "cartovel: " << message << "\n";
}

} // namespace host
