// Documents on disk as SVG.
//
// Reading is defensive: the file must be UTF-8 XML with an <svg> root; DOCTYPEs with
// entity declarations, malformed path data, transforms or lengths, numbers out of range
// (coordinates beyond 1e12 points) and reference cycles are refused with a message
// "file:line:column: what". Values of styling properties that do not parse keep their
// defaults and are reported as warnings.
//
// Writing is atomic (see AtomicFile.h); a document that holds a number that is not finite
// is refused before anything is written.
#pragma once

#include "host/document/Document.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace host {

struct SvgLoadResult {
    std::unique_ptr<Document> document; // null on failure
    HostErr error = kHostNoErr;
    std::string message;               // on failure: "file:line:column: what"
    std::vector<std::string> warnings; // "file:line:column: what"
};

/// Files above this size are refused unread.
inline constexpr std::uintmax_t kMaxSvgFileSize = std::uintmax_t{1} << 30;

SvgLoadResult loadSvgFile(const std::filesystem::path& path);
/// Reads SVG text; name stands for the file in messages.
SvgLoadResult loadSvgText(std::string_view name, std::string text);

/// The document as SVG text; kHostErrBadParameter with a message when it cannot be written.
HostErr writeSvgText(const Document& doc, std::string& out, std::string& message);
/// Writes the document to path, replacing it atomically; kHostErrFile or
/// kHostErrBadParameter with a message on failure, the file then untouched.
HostErr saveSvgFile(const Document& doc, const std::filesystem::path& path, std::string& message);

} // namespace host
