// Documents on disk as SVG.
//
// Reading is defensive and forgiving as browsers are: only a file that is not well-formed
// UTF-8 XML with an <svg> root, or that declares entities, is refused with a message
// "file:line:column: what". Bad data elsewhere gives warnings in the same form: path data
// is drawn up to its first error, malformed transforms and lengths take their defaults,
// and elements with numbers out of range (coordinates beyond 1e12 points) or reference
// cycles are left out.
//
// What the model does not represent (other attributes, child elements, style sheets,
// definitions, metadata) is kept with the art it came with and written back; see
// KeptContent.h.
//
// Writing is atomic (see AtomicFile.h); a document that holds a number that is not finite
// is refused before anything is written.
#pragma once

#include "host/document/Document.h"
#include "host/svg/AtomicFile.h"

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
/// The document as SVG text to be stored at destination: relative image links read from
/// another folder are rewritten to name the same files from destination's folder.
HostErr writeSvgTextFor(const Document& doc, const std::filesystem::path& destination,
                        std::string& out, std::string& message);
/// Writes the document to path, replacing it atomically (see writeSvgTextFor for links);
/// kHostErrFile or kHostErrBadParameter with a message on failure, the file then untouched.
/// mayCommit (see AtomicFile.h) saying no gives kHostErrCancelled.
HostErr saveSvgFile(const Document& doc, const std::filesystem::path& path, std::string& message,
                    const CommitCheck& mayCommit = {});

} // namespace host
