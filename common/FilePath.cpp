#include "common/FilePath.h"

#include "common/HostText.h"
#include "frame/HostSuites.h"

#include <utility>

CFilePath::CFilePath(CFilePath&& other) noexcept : path_(std::exchange(other.path_, nullptr)) {}

CFilePath& CFilePath::operator=(CFilePath&& other) noexcept {
    if (this != &other) {
        Dispose();
        path_ = std::exchange(other.path_, nullptr);
    }
    return *this;
}

void CFilePath::Dispose() noexcept {
    if (path_ != nullptr && sFilePath != nullptr) sFilePath->DisposeFilePath(path_);
    path_ = nullptr;
}

HostErr CFilePath::Make() noexcept {
    Dispose();
    if (sFilePath == nullptr) return kHostErrSuiteNotFound;
    HostFilePath made = nullptr;
    const HostErr err = sFilePath->NewFilePath(&made);
    if (err != kHostNoErr) {
        if (made != nullptr) sFilePath->DisposeFilePath(made);
        return err;
    }
    path_ = made;
    return made != nullptr ? kHostNoErr : kHostErrMemory;
}

HostErr CFilePath::MakeFrom(std::string_view fullPath) {
    if (const HostErr err = Make()) return err;
    ai::UnicodeString text;
    if (const HostErr err = NewText(fullPath, text)) return err;
    return sFilePath->SetFromUString(path_, text.get());
}

HostErr FullPathOf(HostFilePath path, std::string& out) {
    out.clear();
    if (sFilePath == nullptr) return kHostErrSuiteNotFound;
    if (path == nullptr) return kHostErrBadParameter;
    ai::UnicodeString text;
    if (const HostErr err = sFilePath->GetFullPath(path, text.Receive(sUnicodeString))) return err;
    return TextToUTF8(text.get(), out);
}

HostErr CFilePath::FullPath(std::string& out) const {
    return FullPathOf(path_, out);
}

HostErr CFilePath::Parent(CFilePath& out) const {
    if (const HostErr err = out.Make()) return err;
    return sFilePath->GetParent(path_, out.get());
}

HostErr CFilePath::Exists(bool& exists, bool* isFolder) const noexcept {
    exists = false;
    if (isFolder != nullptr) *isFolder = false;
    if (sFilePath == nullptr || sFilePath->Exists == nullptr) return kHostErrSuiteNotFound;
    HostBool found = 0;
    HostBool folder = 0;
    const HostErr err = sFilePath->Exists(path_, &found, &folder);
    exists = found != 0;
    if (isFolder != nullptr) *isFolder = folder != 0;
    return err;
}
