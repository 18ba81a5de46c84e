// Numeric character references that name no XML character (&#0;, a lone surrogate such as
// &#xD800;, anything past U+10FFFF). The XML parser would turn them into a cut string or
// bytes that are not UTF-8; XML itself does not allow them, so the reader refuses them.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace host::svg {

struct BadCharReference {
    std::size_t offset;    // of the '&'
    std::string_view text; // the reference as written
};

/// The first such reference in markup or text; comments, CDATA sections and processing
/// instructions hold no references and are passed over.
std::optional<BadCharReference> findBadCharReference(std::string_view xml);

} // namespace host::svg
