#include "common/PendingFile.h"

#include "common/SystemFiles.h"

#include <cerrno>
#include <random>
#include <string>

namespace {

// ".NAME." then a process id, a dot, digits and ".tmp", of a process that is gone.
bool IsStalePendingOf(const std::string& prefix, const std::string& name) {
    constexpr std::string_view kSuffix = ".tmp";
    if (name.size() <= prefix.size() + kSuffix.size() || name.compare(0, prefix.size(), prefix) ||
        !name.ends_with(kSuffix))
        return false;
    const std::string middle =
        name.substr(prefix.size(), name.size() - prefix.size() - kSuffix.size());
    const std::size_t dot = middle.find('.');
    if (dot == 0 || dot == std::string::npos || dot + 1 == middle.size() || dot > 9) return false;
    for (std::size_t i = 0; i < middle.size(); ++i)
        if (i != dot && (middle[i] < '0' || middle[i] > '9')) return false;
    const long pid = std::stol(middle.substr(0, dot));
    if (pid <= 0 || pid == systemfiles::CurrentProcessId()) return false;
    return systemfiles::ProcessIsGone(pid);
}

std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

void RemoveStale(const std::filesystem::path& folder, const std::string& prefix) {
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code typeError;
        if (IsStalePendingOf(prefix, Utf8(it->path().filename())) && it->is_regular_file(typeError))
            std::filesystem::remove(it->path(), typeError);
    }
}

} // namespace

CPendingFile::~CPendingFile() {
    Remove();
}

std::FILE* CPendingFile::Create(const std::filesystem::path& target) {
    Remove();
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    const std::string prefix = "." + Utf8(target.filename()) + ".";
    RemoveStale(folder, prefix);
    std::random_device seed;
    std::mt19937_64 random(seed());
    const std::string stem = prefix + std::to_string(systemfiles::CurrentProcessId()) + ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path candidate =
            folder / systemfiles::FromUtf8(stem + std::to_string(random() % 1000000000) + ".tmp");
        // Armed before the file exists, so no signal can leave it behind.
        const int slot = systemfiles::ArmRemovalAtTermination(candidate);
        if (std::FILE* stream = systemfiles::CreateExclusive(candidate)) {
            name_ = candidate;
            slot_ = slot;
            return stream;
        }
        const int error = errno;
        systemfiles::DisarmRemoval(slot);
        errno = error;
        if (error != EEXIST) return nullptr;
    }
    return nullptr;
}

void CPendingFile::Release() noexcept {
    systemfiles::DisarmRemoval(slot_);
    slot_ = -1;
    name_.clear();
}

void CPendingFile::Remove() noexcept {
    if (!name_.empty()) {
        std::error_code ignored;
        std::filesystem::remove(name_, ignored);
    }
    Release();
}
