#include "host/prefs/PreferenceStore.h"

#include "host/core/Strings.h"
#include "host/core/TempFiles.h"

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
#include <sys/file.h>
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
    std::string temp;
    const int fd = createTemporaryBeside(target, temp);
    if (fd < 0) return "cannot create a file in " + folder.string() + ": " + errnoText();
    FileDescriptor file(fd);
    const auto fail = [&](const std::string& why) {
        file.close();
        ::unlink(temp.c_str());
        forgetTemporary(temp);
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
    forgetTemporary(temp);
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

/// Our files are four levels deep; a deeper one is not ours, and refusing it while parsing
/// keeps a hostile file from exhausting the stack in the copies and checks after the parse.
constexpr int kMaxDepth = 16;

json parseLimited(const std::string& text) {
    try {
        return json::parse(text, [](int depth, json::parse_event_t, json&) {
            if (depth > kMaxDepth)
                throw Damage("it is nested more than " + std::to_string(kMaxDepth) +
                             " levels deep");
            return true;
        });
    } catch (const json::parse_error& e) {
        throw Damage(std::string("it is not valid JSON (") + e.what() + ")");
    }
}

/// The file on disk: absent, whole, not a file we may touch, or damaged.
struct DiskFile {
    enum class State { Missing, Whole, Unreadable, Damaged } state = State::Missing;
    json root;
    std::string why;
};

DiskFile readFile(const std::filesystem::path& file) {
    DiskFile result;
    // Never blocks on a FIFO; what it is decides before a byte is read.
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) return result;
        result.state = DiskFile::State::Unreadable;
        result.why = "cannot open it: " + errnoText();
        return result;
    }
    FileDescriptor owner(fd);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        result.state = DiskFile::State::Unreadable;
        result.why = "it is not a regular file";
        return result;
    }
    result.state = DiskFile::State::Damaged;
    if (static_cast<std::uintmax_t>(info.st_size) > kMaxFileSize) {
        result.why = "it is larger than any preferences file";
        return result;
    }
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            result.state = DiskFile::State::Unreadable;
            result.why = "cannot read it: " + errnoText();
            return result;
        }
        if (n == 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
        if (text.size() > kMaxFileSize) {
            result.why = "it is larger than any preferences file";
            return result;
        }
    }
    try {
        json root = parseLimited(text);
        if (!root.is_object() || root.value("format", json()) != kFormat)
            throw Damage("it is not a cartovel preferences file");
        if (root.value("version", json()) != kVersion)
            throw Damage("its version is not " + std::to_string(kVersion));
        const auto values = root.find("values");
        if (values == root.end())
            root["values"] = json::object();
        else if (!values->is_object())
            throw Damage("\"values\" is not an object");
        result.root = std::move(root);
        result.state = DiskFile::State::Whole;
    } catch (const Damage& damage) {
        result.why = damage.what();
    } catch (const json::exception& e) {
        result.why = e.what();
    }
    return result;
}

/// Where the file really is: a symbolic link is followed, so that writing replaces the
/// file it points to and the link stays.
std::filesystem::path resolveLinks(std::filesystem::path file) {
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(file, ec)) || ec)
            return file;
        const std::filesystem::path target = std::filesystem::read_symlink(file, ec);
        if (ec) return file;
        file = target.is_absolute() ? target : file.parent_path() / target;
    }
    return file;
}

/// An advisory lock on the folder: runs sharing the file take turns to read and write it.
class FolderLock {
public:
    explicit FolderLock(const std::filesystem::path& folder)
        : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (fd_ >= 0)
            while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
            }
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    ~FolderLock() {
        if (fd_ >= 0) ::close(fd_); // closing releases the lock
    }

private:
    int fd_;
};

json freshRoot() {
    return {{"format", kFormat}, {"version", kVersion}, {"values", json::object()}};
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
    pending_[std::string(prefix)].insert_or_assign(std::string(key), value);
    if (deferred_ > 0) {
        values_[std::string(prefix)].insert_or_assign(std::string(key), std::move(value));
        return kHostNoErr;
    }
    if (const HostErr err = flush()) return err;
    values_[std::string(prefix)].insert_or_assign(std::string(key), std::move(value));
    return kHostNoErr;
}

void PreferenceStore::deferWrites() {
    ++deferred_;
}

HostErr PreferenceStore::endDeferring() {
    if (deferred_ == 0 || --deferred_ > 0) return kHostNoErr;
    return flush();
}

std::size_t PreferenceStore::size() const {
    std::size_t n = 0;
    for (const auto& [prefix, keys] : values_)
        n += keys.size();
    return n;
}

void PreferenceStore::load() {
    if (file_.empty()) return;
    DiskFile disk = readFile(resolveLinks(file_));
    switch (disk.state) {
    case DiskFile::State::Missing:
        return;
    case DiskFile::State::Unreadable:
        writable_ = false;
        report("the preferences file " + file_.string() + " cannot be used (" + disk.why +
               "); preferences start empty and will not be saved");
        return;
    case DiskFile::State::Damaged:
        setAside(disk.why);
        return;
    case DiskFile::State::Whole:
        break;
    }
    // One bad entry costs that entry only; it stays in the file as it is.
    for (const auto& [prefix, keys] : disk.root["values"].items()) {
        try {
            if (!validName(prefix)) throw Damage("an empty prefix");
            if (!keys.is_object()) throw Damage("prefix \"" + prefix + "\" is not an object");
            for (const auto& [key, entry] : keys.items()) {
                try {
                    if (!validName(key)) throw Damage("an empty key under \"" + prefix + "\"");
                    values_[prefix].emplace(
                        key, parseValue(entry, "\"" + prefix + "\" / \"" + key + "\""));
                } catch (const Damage& damage) {
                    report("the preferences file " + file_.string() + " holds a damaged entry (" +
                           damage.what() + "); it is passed over and left in the file");
                }
            }
        } catch (const Damage& damage) {
            report("the preferences file " + file_.string() + " holds a damaged entry (" +
                   damage.what() + "); it is passed over and left in the file");
        }
    }
}

void PreferenceStore::setAside(const std::string& reason) {
    values_.clear();
    const std::filesystem::path target = resolveLinks(file_);
    const std::string stem = target.string() + ".damaged-" + timestamp();
    std::filesystem::path aside = stem;
    std::error_code ec;
    for (int n = 2; std::filesystem::exists(aside, ec) || ec; ++n) {
        if (n > 1000) break;
        aside = stem + "-" + std::to_string(n);
    }
    // rename never replaces a file here: the name was checked to be free.
    if (!std::filesystem::exists(aside, ec) && ::rename(target.c_str(), aside.c_str()) == 0) {
        keptAside_ = aside;
        report("the preferences file " + file_.string() + " is damaged (" + reason +
               "); it was kept as " + aside.string() + " and preferences start empty");
        return;
    }
    writable_ = false;
    report("the preferences file " + file_.string() + " is damaged (" + reason +
           ") and could not be set aside; preferences start empty and will not be saved");
}

HostErr PreferenceStore::flush() {
    if (file_.empty()) pending_.clear();
    if (pending_.empty()) return kHostNoErr;
    Prefixes changes;
    changes.swap(pending_);
    if (!writable_) return kHostErrFile;
    const std::filesystem::path target = resolveLinks(file_);
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const FolderLock lock(folder);

    DiskFile disk = readFile(target);
    json root;
    switch (disk.state) {
    case DiskFile::State::Whole:
        root = std::move(disk.root);
        break;
    case DiskFile::State::Missing:
        root = freshRoot();
        break;
    case DiskFile::State::Unreadable:
        report("the preferences could not be saved: " + target.string() + " cannot be used (" +
               disk.why + ")");
        return kHostErrFile;
    case DiskFile::State::Damaged:
        // Another run left it damaged: keep it aside and write what this run knows.
        {
            Prefixes known = values_;
            setAside(disk.why + ", found when saving");
            values_ = std::move(known);
        }
        if (!writable_) return kHostErrFile;
        root = freshRoot();
        for (const auto& [prefix, keys] : changes)
            values_[prefix].insert(keys.begin(), keys.end());
        changes = values_;
        break;
    }
    json& values = root["values"];
    for (const auto& [prefix, keys] : changes) {
        json& into = values[prefix];
        if (!into.is_object()) into = json::object();
        for (const auto& [key, value] : keys)
            into[key] = valueJson(value);
    }
    const std::string why = writeAtomically(target, root.dump(2) + "\n");
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
