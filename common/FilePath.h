// Owner of one host file path ("AI File Path Suite"): disposed of on every way out.
#pragma once

#include "hostapi/HostTypes.h"

#include <string>
#include <string_view>

/** The full path of a borrowed host file path, as UTF-8 text. */
HostErr FullPathOf(HostFilePath path, std::string& out);

class CFilePath {
public:
    CFilePath() noexcept = default;
    ~CFilePath() { Dispose(); }
    CFilePath(CFilePath&& other) noexcept;
    CFilePath& operator=(CFilePath&& other) noexcept;
    CFilePath(const CFilePath&) = delete;
    CFilePath& operator=(const CFilePath&) = delete;

    /** Replaces the held path with a new, empty one. */
    HostErr Make() noexcept;
    /** A new path for the UTF-8 full path text. */
    HostErr MakeFrom(std::string_view fullPath);
    /** The full path as UTF-8 text; empty for an empty path. */
    HostErr FullPath(std::string& out) const;
    /** A new path naming this one's folder. */
    HostErr Parent(CFilePath& out) const;
    /** Whether something exists at the path, and whether it is a folder. */
    HostErr Exists(bool& exists, bool* isFolder = nullptr) const noexcept;

    HostFilePath get() const noexcept { return path_; }
    explicit operator bool() const noexcept { return path_ != nullptr; }
    void Dispose() noexcept;

private:
    HostFilePath path_ = nullptr;
};
