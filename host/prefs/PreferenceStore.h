// The host's preference store: values kept by prefix and key in one JSON file, five kinds
// held apart (a key read as another kind is absent).
//
// Several runs may share the file, so a write carries only the keys this store changed:
// under an advisory lock on the file's folder it reads the file as it is on disk, sets
// those keys and writes the result atomically (written beside the old file, flushed to the
// disk and renamed over it, so a crash leaves either the old file or the new one). A file
// reached through a symbolic link is written where the link points. Changes are written at
// once, or, while writes are deferred, together when deferring ends: one write per message
// to the module.
//
// A file that is no JSON or not ours is reported, renamed aside (never deleted) and the
// store starts empty; one damaged entry is reported and left as it stands in the file,
// and the other entries are read.
#pragma once

#include "hostapi/HostTypes.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace host {

/// A Unicode text value (UTF-8).
struct PreferenceText {
    std::string utf8;
    bool operator==(const PreferenceText&) const = default;
};

/// A file location value (a platform path).
struct PreferencePath {
    std::string path;
    bool operator==(const PreferencePath&) const = default;
};

using PreferenceValue = std::variant<bool, std::int32_t, double, PreferenceText, PreferencePath>;

class PreferenceStore {
public:
    /// Hears what the user must know about the file (damage, failed writes).
    using Reporter = std::function<void(const std::string&)>;

    /// Opens the store kept in file and reads it at once; a missing file is an empty
    /// store, and an empty path one that lives in memory only (nothing read, nothing
    /// written). Without a reporter, messages go to standard error.
    explicit PreferenceStore(std::filesystem::path file, Reporter reporter = nullptr);

    /// preferences.json in the user's configuration folder: $XDG_CONFIG_HOME/cartovel, or
    /// ~/.config/cartovel.
    static std::filesystem::path defaultFile();

    [[nodiscard]] const std::filesystem::path& file() const { return file_; }

    /// The value of that kind; null when the key is absent or holds another kind.
    template <class T>
    [[nodiscard]] const T* get(std::string_view prefix, std::string_view key) const {
        const PreferenceValue* value = find(prefix, key);
        return value == nullptr ? nullptr : std::get_if<T>(value);
    }
    [[nodiscard]] const PreferenceValue* find(std::string_view prefix, std::string_view key) const;

    /// Stores the value (replacing any value of any kind) and writes the file. On a
    /// failed write the store keeps what it held before and returns kHostErrFile;
    /// kHostErrBadParameter for an empty or non-UTF-8 prefix or key, or a real that is
    /// not finite.
    HostErr put(std::string_view prefix, std::string_view key, PreferenceValue value);

    /// While deferred, put() only records the change; ending it writes every recorded
    /// change in one write and returns its result.
    void deferWrites();
    HostErr endDeferring();

    /// Number of keys under every prefix.
    [[nodiscard]] std::size_t size() const;
    /// Where a damaged file found at opening was kept.
    [[nodiscard]] const std::optional<std::filesystem::path>& keptAside() const {
        return keptAside_;
    }

private:
    using Keys = std::map<std::string, PreferenceValue, std::less<>>;
    using Prefixes = std::map<std::string, Keys, std::less<>>;

    void load();
    void setAside(const std::string& reason);
    /// Writes the pending changes merged into the file on disk; they are dropped either way.
    [[nodiscard]] HostErr flush();
    void report(const std::string& message) const;

    std::filesystem::path file_;
    Reporter reporter_;
    Prefixes values_;
    /// Changed since the last write, not yet on disk.
    Prefixes pending_;
    int deferred_ = 0;
    std::optional<std::filesystem::path> keptAside_;
    /// False when the file exists but could not be read or set aside: writing would
    /// destroy it.
    bool writable_ = true;
};

} // namespace host
