#include "host/svg/LinkRebase.h"

namespace host::svg {
namespace {

namespace fs = std::filesystem;

fs::path absoluteFolder(const fs::path& folder) {
    std::error_code ec;
    fs::path full = fs::weakly_canonical(fs::absolute(folder.empty() ? "." : folder, ec), ec);
    return full.lexically_normal();
}

// A URL reference that is a path relative to the document: no scheme, no leading slash,
// not a same-document reference.
bool isRelativeFileLink(std::string_view link) {
    if (link.empty() || link.front() == '/' || link.front() == '#' || link.front() == '?' ||
        link.front() == '\\')
        return false;
    const auto colon = link.find(':');
    const auto slash = link.find('/');
    return colon == std::string_view::npos || (slash != std::string_view::npos && slash < colon);
}

} // namespace

LinkRebase::LinkRebase(const fs::path& from, const fs::path& to)
    : from_(absoluteFolder(from)), to_(absoluteFolder(to)), active_(from_ != to_) {}

std::string LinkRebase::operator()(std::string_view link) const {
    if (!active_ || !isRelativeFileLink(link)) return std::string(link);
    // The query and fragment ride along unchanged.
    const auto tail = link.find_first_of("?#");
    const std::string_view file = link.substr(0, tail);
    const fs::path target = (from_ / fs::path(std::string(file))).lexically_normal();
    fs::path relative = target.lexically_relative(to_);
    if (relative.empty()) return std::string(link);
    std::string rebased = relative.generic_string();
    if (tail != std::string_view::npos) rebased += link.substr(tail);
    return rebased;
}

} // namespace host::svg
