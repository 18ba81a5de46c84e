// Relative links of a document saved into another folder than the one it was read from:
// each is rewritten to name the same file from the new folder, as editors do on "Save As".
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace host::svg {

class LinkRebase {
public:
    /// Links relative to from (the folder the document was read from) are rewritten
    /// relative to to; both are made absolute here. Equal folders change nothing.
    LinkRebase(const std::filesystem::path& from, const std::filesystem::path& to);
    LinkRebase() = default;

    /// The link as the new folder must say it. Links that are not relative file paths
    /// (data:, a scheme, an absolute path, a fragment or query alone) come back as they are.
    [[nodiscard]] std::string operator()(std::string_view link) const;
    [[nodiscard]] bool active() const { return active_; }

private:
    std::filesystem::path from_;
    std::filesystem::path to_;
    bool active_ = false;
};

} // namespace host::svg
