// The host's Unicode strings and file paths: objects the host owns and hands out as opaque
// handles. A handle is checked against the store on every use, so a stale or foreign
// handle gives kHostErrBadHandle instead of undefined behaviour; whatever a module forgets
// to dispose of is freed with the application.
#pragma once

#include "hostapi/HostTypes.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

struct HostUStringOpaque {
    std::string utf8;
    // Conversions handed out by the suite; valid until the string changes.
    std::string bytes;
    std::u16string utf16;
};

struct HostFilePathOpaque {
    std::string path;
};

namespace host {

/// True when text is well-formed UTF-8 (no overlong forms, no surrogates, at most U+10FFFF).
bool isValidUtf8(std::string_view text);

template <class Object> class HandleStore {
public:
    Object* add(std::unique_ptr<Object> object) {
        Object* raw = object.get();
        objects_.emplace(raw, std::move(object));
        return raw;
    }
    /// Null when handle was not made here or was disposed of.
    [[nodiscard]] Object* find(const void* handle) const {
        auto it = objects_.find(static_cast<const Object*>(handle));
        return it == objects_.end() ? nullptr : it->second.get();
    }
    /// False when the handle is unknown.
    bool dispose(const void* handle) {
        return objects_.erase(static_cast<const Object*>(handle)) > 0;
    }
    [[nodiscard]] std::size_t size() const { return objects_.size(); }

private:
    std::unordered_map<const Object*, std::unique_ptr<Object>> objects_;
};

class Strings {
public:
    /// A new string owned by the receiver of the handle.
    HostUString make(std::string utf8) {
        auto string = std::make_unique<HostUStringOpaque>();
        string->utf8 = std::move(utf8);
        return store_.add(std::move(string));
    }
    [[nodiscard]] HostUStringOpaque* find(HostUString handle) const { return store_.find(handle); }
    bool dispose(HostUString handle) { return store_.dispose(handle); }
    /// Strings not disposed of yet.
    [[nodiscard]] std::size_t live() const { return store_.size(); }

private:
    HandleStore<HostUStringOpaque> store_;
};

class FilePaths {
public:
    HostFilePath make(std::string path = {}) {
        return store_.add(
            std::make_unique<HostFilePathOpaque>(HostFilePathOpaque{std::move(path)}));
    }
    [[nodiscard]] HostFilePathOpaque* find(HostFilePath handle) const {
        return store_.find(handle);
    }
    bool dispose(HostFilePath handle) { return store_.dispose(handle); }
    [[nodiscard]] std::size_t live() const { return store_.size(); }

private:
    HandleStore<HostFilePathOpaque> store_;
};

} // namespace host
