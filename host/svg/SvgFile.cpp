#include "host/svg/SvgFile.h"

#include "host/svg/AtomicFile.h"
#include "host/svg/SvgReader.h"
#include "host/svg/SvgWriter.h"
#include "host/svg/XmlBytes.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>

namespace host {

namespace {

// Line starts of the original text, taken before in-place parsing rewrites it.
class LineIndex {
public:
    explicit LineIndex(std::string_view text) {
        const char* const begin = text.data();
        const char* const end = begin + text.size();
        for (const char* p = begin; (p = static_cast<const char*>(std::memchr(p, '\n', end - p)));
             ++p)
            breaks_.push_back(static_cast<std::size_t>(p - begin));
    }
    std::string at(std::string_view name, std::size_t offset) const {
        const auto it = std::lower_bound(breaks_.begin(), breaks_.end(), offset);
        const std::size_t line = static_cast<std::size_t>(it - breaks_.begin()) + 1;
        const std::size_t start = line == 1 ? 0 : breaks_[line - 2] + 1;
        return std::string(name) + ":" + std::to_string(line) + ":" +
               std::to_string(offset - start + 1);
    }

private:
    std::vector<std::size_t> breaks_;
};

SvgLoadResult failure(std::string message) {
    SvgLoadResult r;
    r.error = kHostErrFile;
    r.message = std::move(message);
    return r;
}

SvgLoadResult loadSvg(std::string_view name, std::string text,
                      const std::optional<std::filesystem::path>& imageFolder) {
    const LineIndex lines(text);
    const std::string_view view = text;
    if (view.starts_with("\xFE\xFF") || view.starts_with("\xFF\xFE"))
        return failure(lines.at(name, 0) +
                       ": UTF-16 files are not supported; save the file as UTF-8");
    if (const auto bad = svg::findBadBytes(view))
        return failure(lines.at(name, bad->offset) + ": " + bad->what);
    if (text.empty()) return failure(lines.at(name, 0) + ": the file is empty");

    svg::SvgReader reader(text.data(), text.size());
    if (imageFolder) reader.setImageFolder(*imageFolder);
    SvgLoadResult result;
    result.document = reader.read();
    for (const svg::ReadProblem& w : reader.warnings())
        result.warnings.push_back(lines.at(name, w.offset) + ": " + w.message);
    if (!result.document) {
        result.error = kHostErrFile;
        result.message = lines.at(name, reader.error().offset) + ": " + reader.error().message;
    }
    return result;
}

} // namespace

SvgLoadResult loadSvgText(std::string_view name, std::string text) {
    return loadSvg(name, std::move(text), std::nullopt);
}

SvgLoadResult loadSvgFile(const std::filesystem::path& path) {
    std::error_code ec;
    // A FIFO would block for ever and a device never end: only regular files are read.
    if (const auto status = std::filesystem::status(path, ec);
        !ec && status.type() != std::filesystem::file_type::regular)
        return failure(path.string() + ": not a regular file");
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) return failure(path.string() + ": cannot read: " + ec.message());
    if (size > kMaxSvgFileSize) return failure(path.string() + ": the file is too large");
    std::ifstream in(path, std::ios::binary);
    std::string text(static_cast<std::size_t>(size), '\0');
    if (!in || !in.read(text.data(), static_cast<std::streamsize>(size)))
        return failure(path.string() + ": cannot read the file");
    SvgLoadResult result = loadSvg(path.string(), std::move(text), path.parent_path());
    if (result.document) result.document->filePath = path.string();
    return result;
}

HostErr writeSvgText(const Document& doc, std::string& out, std::string& message) {
    svg::SvgWriter writer(doc);
    if (!writer.write(out)) {
        message = "cannot write the document: " + writer.error();
        return kHostErrBadParameter;
    }
    return kHostNoErr;
}

HostErr writeSvgTextFor(const Document& doc, const std::filesystem::path& destination,
                        std::string& out, std::string& message) {
    svg::SvgWriter writer(doc);
    // Links were resolved from the folder the document came from.
    if (!doc.filePath.empty())
        writer.rebaseLinks(svg::LinkRebase(std::filesystem::path(doc.filePath).parent_path(),
                                           destination.parent_path()));
    if (!writer.write(out)) {
        message = "cannot write the document: " + writer.error();
        return kHostErrBadParameter;
    }
    return kHostNoErr;
}

HostErr saveSvgFile(const Document& doc, const std::filesystem::path& path, std::string& message,
                    const CommitCheck& mayCommit) {
    std::string text;
    if (HostErr e = writeSvgTextFor(doc, path, text, message)) {
        message = path.string() + ": " + message;
        return e;
    }
    if (!writeFileAtomically(path, text, message, mayCommit))
        return mayCommit && !mayCommit() ? kHostErrCancelled : kHostErrFile;
    return kHostNoErr;
}

} // namespace host
