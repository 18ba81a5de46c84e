#include "common/MvFile.h"

#include "common/HostText.h"
#include "common/SystemFiles.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace {

/** The letters r, w, b and a of mode, in that order. */
std::string StreamMode(const char* mode) {
    std::string out;
    for (const char letter : {'r', 'w', 'b', 'a'})
        if (mode != nullptr && std::strchr(mode, letter) != nullptr) out += letter;
    return out;
}

} // namespace

// ---- CMvFile ----

CMvFile::~CMvFile() {
    if (closeOnDestroy_) CMvFile::Close();
}

void CMvFile::Fail(int error) {
    reason_ = std::strerror(error);
}

bool CMvFile::StorePath(HostFilePath path, std::string& fullPath) {
    // The object keeps its own copy of the path it opened.
    hostError_ = kHostNoErr;
    CFilePath copy;
    if (hostError_ = FullPathOf(path, fullPath); hostError_ != kHostNoErr) return false;
    if (fullPath.empty()) return false;
    if (hostError_ = copy.MakeFrom(fullPath); hostError_ != kHostNoErr) return false;
    path_ = std::move(copy);
    return true;
}

bool CMvFile::Open(HostFilePath path, const char* mode) {
    Close();
    std::string fullPath;
    if (!StorePath(path, fullPath)) return false;
    const std::string streamMode = StreamMode(mode);
    if (streamMode.find_first_of("wa") == std::string::npos) return OpenForReading(fullPath);
    stream_ = systemfiles::OpenStream(systemfiles::FromUtf8(fullPath), streamMode.c_str());
    if (stream_ == nullptr) Fail(errno);
    return stream_ != nullptr;
}

// A FIFO or a device is refused before a byte is read: it could block or never end.
bool CMvFile::OpenForReading(const std::string& fullPath) {
    stream_ =
        systemfiles::OpenRegularForReading(systemfiles::FromUtf8(fullPath), kMaxReadSize, reason_);
    return stream_ != nullptr;
}

bool CMvFile::OpenReplacing(HostFilePath path) {
    Close();
    std::string fullPath;
    if (!StorePath(path, fullPath)) return false;
    std::error_code ec;
    std::filesystem::path target = systemfiles::FromUtf8(fullPath);
    // Replace the file a link points to, not the link.
    if (std::filesystem::is_symlink(target, ec)) {
        const std::filesystem::path resolved = std::filesystem::canonical(target, ec);
        if (!ec) target = resolved;
    }
    // A file the user may not write stays as it is, as an open for writing would.
    if (std::filesystem::exists(target, ec) && !systemfiles::MayWrite(target)) {
        Fail(errno);
        return false;
    }
    stream_ = temporary_.Create(target);
    if (stream_ == nullptr) {
        Fail(errno);
        return false;
    }
    systemfiles::CopyPermissions(stream_, target);
    target_ = target;
    return true;
}

bool CMvFile::Write(const void* data, size_t size) {
    if (stream_ == nullptr) return false;
    if (size == 0) return true;
    if (std::fwrite(data, 1, size, stream_) == size) return true;
    Fail(errno);
    return false;
}

bool CMvFile::Commit() {
    if (stream_ == nullptr || temporary_.Name().empty()) return false;
    bool ok = systemfiles::SyncToDisk(stream_);
    if (!ok) Fail(errno);
    if (std::fclose(stream_) != 0 && ok) {
        Fail(errno);
        ok = false;
    }
    stream_ = nullptr;
    if (ok && !systemfiles::ReplaceWith(temporary_.Name(), target_)) {
        Fail(errno);
        ok = false;
    }
    if (ok)
        temporary_.Release();
    else
        temporary_.Remove();
    target_.clear();
    return ok;
}

void CMvFile::Close() {
    if (stream_ != nullptr) std::fclose(stream_);
    stream_ = nullptr;
    temporary_.Remove();
    target_.clear();
}

// ---- CMvTextFile ----

CMvTextFile::~CMvTextFile() {
    // The reader borrows the stream: it goes first.
    reader_.reset();
    Close();
}

bool CMvTextFile::OpenRead(HostFilePath path, int32_t encoding) {
    reader_.reset();
    if (!Open(path, "rb")) return false;
    // A file that starts with a byte order mark says what it is; the chosen encoding is for
    // files without one. Reading the module's own UTF-8 list as Shift-JIS lost every name.
    std::array<unsigned char, 3> head{};
    const std::size_t got = std::fread(head.data(), 1, head.size(), stream_);
    if (std::fseek(stream_, 0, SEEK_SET) != 0) return false;
    if (got == 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF)
        encoding = kEncodingUTF8;
    else if (got >= 2 &&
             ((head[0] == 0xFF && head[1] == 0xFE) || (head[0] == 0xFE && head[1] == 0xFF)))
        encoding = kEncodingUTF16;
    encoding_ = encoding;
    if (encoding == kEncodingUTF16)
        reader_ = std::make_unique<CMvTextFileReaderW>(stream_, encoding);
    else
        reader_ = std::make_unique<CMvTextFileReaderA>(stream_, encoding);
    return true;
}

bool CMvTextFile::ReadLine(ai::UnicodeString& out) {
    return reader_ != nullptr && stream_ != nullptr && reader_->ReadLine(out);
}

// ---- CMvTextFileReaderBase ----

bool CMvTextFileReaderBase::BeginLine(ai::UnicodeString& out, bool& first) {
    if (error_ != kHostNoErr || !EndLine(NewText({}, out))) return false;
    first = std::exchange(firstCall_, false);
    return true;
}

bool CMvTextFileReaderBase::EndLine(HostErr made) {
    if (made != kHostNoErr) error_ = made;
    return made == kHostNoErr;
}

// ---- CMvTextFileReaderA ----

int CMvTextFileReaderA::Next() {
    if (pendingAt_ < pending_.size()) return static_cast<unsigned char>(pending_[pendingAt_++]);
    const int c = std::getc(stream_);
    if (c == EOF && std::ferror(stream_)) error_ = kHostErrFile;
    return c;
}

bool CMvTextFileReaderA::ReadLine(ai::UnicodeString& out) {
    bool first = false;
    if (!BeginLine(out, first)) return false;
    if (first) {
        // The bytes are kept and read again unless they are the whole mark.
        for (int i = 0; i < 3; ++i) {
            const int c = std::getc(stream_);
            if (c == EOF) break;
            pending_ += static_cast<char>(c);
        }
        if (pending_ == "\xEF\xBB\xBF") pending_.clear();
    }
    std::string bytes;
    bool lineEnd = false;
    for (;;) {
        const int c = Next();
        if (c == EOF) break;
        if (c == '\r') {
            const bool fromPending = pendingAt_ < pending_.size();
            const int after = Next();
            if (after != '\n' && after != EOF) {
                if (fromPending)
                    --pendingAt_;
                else
                    std::ungetc(after, stream_);
            }
            lineEnd = true;
            break;
        }
        if (c == '\n') {
            lineEnd = true;
            break;
        }
        bytes += static_cast<char>(c);
    }
    if (!bytes.empty()) return EndLine(NewTextFromBytes(bytes, encoding_, out));
    return lineEnd && error_ == kHostNoErr;
}

// ---- CMvTextFileReaderW ----

int32_t CMvTextFileReaderW::Next() {
    if (pushedBack_ >= 0) return std::exchange(pushedBack_, -1);
    const int low = std::getc(stream_);
    const int high = low == EOF ? EOF : std::getc(stream_);
    if (high == EOF) {
        if (std::ferror(stream_)) error_ = kHostErrFile;
        return -1;
    }
    const auto unit = static_cast<uint16_t>(low | (high << 8));
    return swap_ ? static_cast<uint16_t>((unit >> 8) | (unit << 8)) : unit;
}

bool CMvTextFileReaderW::ReadLine(ai::UnicodeString& out) {
    bool first = false;
    if (!BeginLine(out, first)) return false;
    if (first) {
        const int32_t mark = Next();
        if (mark == 0xFFFE)
            swap_ = true; // FE FF read little-endian
        else if (mark != 0xFEFF && mark >= 0)
            pushedBack_ = mark;
    }
    std::vector<uint16_t> units;
    bool lineEnd = false;
    for (;;) {
        const int32_t u = Next();
        if (u < 0) break;
        if (u == '\r') {
            const int32_t after = Next();
            if (after != '\n' && after >= 0) pushedBack_ = after;
            lineEnd = true;
            break;
        }
        if (u == '\n') {
            lineEnd = true;
            break;
        }
        units.push_back(static_cast<uint16_t>(u));
    }
    if (!units.empty()) return EndLine(NewTextFromUTF16(units, out));
    return lineEnd && error_ == kHostNoErr;
}
