// Files of the layer tools: a byte stream wrapper, and a text file read line by line
// through a reader for its encoding.
#pragma once

#include "common/FilePath.h"
#include "common/PendingFile.h"
#include "hostapi/HostTypes.h"
#include "hostapi/wrappers/UnicodeString.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

/** Encoding codes: the item data of the file dialog's encoding list. The 8-bit ones are
 *  also the host's own encoding codes. */
enum : int32_t {
    kEncodingUTF8 = 1,
    kEncodingUTF16 = 2,
    kEncodingShiftJIS = 17,
};

/** A buffered byte stream on a file named by a host file path. */
class CMvFile {
public:
    CMvFile() = default;
    /** Closes the stream; a replacing write that was not committed leaves the target as it
     *  was. */
    virtual ~CMvFile();
    CMvFile(const CMvFile&) = delete;
    CMvFile& operator=(const CMvFile&) = delete;

    /** Opens the file in byte mode; the mode takes the letters r, w, b and a of mode, in
     *  that order. False when no stream was obtained. A file opened only for reading must
     *  be a regular file of at most kMaxReadSize bytes. */
    bool Open(HostFilePath path, const char* mode);
    /** Far beyond any list of layer names. */
    static constexpr uint64_t kMaxReadSize = uint64_t{64} << 20;
    /** Opens a new temporary file beside path for writing. Commit puts it in path's place;
     *  until then path is untouched, and closing without a commit removes the temporary
     *  file, so a failed write never leaves a half-written file. */
    bool OpenReplacing(HostFilePath path);
    /** Flushes the written data to disk and replaces the target with it. False, with the
     *  target untouched, when any write failed or the replacement could not be made. */
    bool Commit();
    /** Closes the stream if open. */
    virtual void Close();

    /** Writes all of data; false on failure. */
    bool Write(const void* data, size_t size);
    std::FILE* Stream() const noexcept { return stream_; }
    HostFilePath Path() const noexcept { return path_.get(); }
    /** The system's reason for the last failure, empty when there is none. */
    const std::string& FailureReason() const noexcept { return reason_; }
    /** The host's error when the host failed while opening (the path could not be had),
     *  0 otherwise: that is no fault of the file. */
    HostErr HostError() const noexcept { return hostError_; }

protected:
    CFilePath path_;
    bool closeOnDestroy_ = true;
    std::FILE* stream_ = nullptr;

private:
    bool StorePath(HostFilePath path, std::string& fullPath);
    bool OpenForReading(const std::string& fullPath);
    void Fail(int error);

    std::filesystem::path target_; // the file a replacing write will replace
    CPendingFile temporary_;       // the file being written until then
    std::string reason_;
    HostErr hostError_ = kHostNoErr;
};

/** Reads one line at a time; the base of the readers for each encoding. */
class CMvTextFileReaderBase {
public:
    CMvTextFileReaderBase(std::FILE* stream, int32_t encoding) noexcept
        : stream_(stream), encoding_(encoding) {}
    virtual ~CMvTextFileReaderBase() = default;
    CMvTextFileReaderBase(const CMvTextFileReaderBase&) = delete;
    CMvTextFileReaderBase& operator=(const CMvTextFileReaderBase&) = delete;

    /** The next line without its line end (CR LF, CR or LF) in out; false at the end of
     *  the file. A read error counts as the end of the file. */
    virtual bool ReadLine(ai::UnicodeString& out) = 0;

    /** 0, or why reading stopped early: kHostErrFile for a read error, or the host's code
     *  when a line could not be made into a string. */
    HostErr Error() const noexcept { return error_; }

protected:
    /** Starts a line: false when reading has stopped, or when out cannot be made empty (a
     *  host failure is the read's error, never the end of the file). first is true for
     *  the first line only, the one that may begin with a mark. */
    bool BeginLine(ai::UnicodeString& out, bool& first);
    /** Ends a line whose text was made with code made: true unless it failed. */
    bool EndLine(HostErr made);

    bool firstCall_ = true;
    std::FILE* stream_;
    int32_t encoding_;
    HostErr error_ = kHostNoErr;
};

/** Lines of 8-bit text (Shift-JIS or UTF-8); a leading UTF-8 mark is skipped. */
class CMvTextFileReaderA : public CMvTextFileReaderBase {
public:
    using CMvTextFileReaderBase::CMvTextFileReaderBase;
    bool ReadLine(ai::UnicodeString& out) override;

private:
    int Next();

    std::string pending_; // bytes read while looking for the mark
    size_t pendingAt_ = 0;
};

/** Lines of UTF-16: little-endian unless the file begins with the big-endian mark. */
class CMvTextFileReaderW : public CMvTextFileReaderBase {
public:
    using CMvTextFileReaderBase::CMvTextFileReaderBase;
    bool ReadLine(ai::UnicodeString& out) override;

private:
    /** The next unit, or -1 at the end (a trailing odd byte is never a unit). */
    int32_t Next();

    bool swap_ = false;
    int32_t pushedBack_ = -1;
};

/** A text file read line by line in the encoding it was opened with. */
class CMvTextFile : public CMvFile {
public:
    CMvTextFile() = default;
    ~CMvTextFile() override;

    /** Opens the file for reading and makes the reader for encoding (2 UTF-16, else
     *  8-bit); a UTF-8 or UTF-16 byte order mark at its start overrides encoding. */
    virtual bool OpenRead(HostFilePath path, int32_t encoding);
    /** The encoding the file is read in. */
    int32_t Encoding() const noexcept { return encoding_; }
    /** False at the end of the file, or when the file is not open. */
    bool ReadLine(ai::UnicodeString& out);
    HostErr ReadError() const noexcept { return reader_ ? reader_->Error() : kHostNoErr; }

private:
    int32_t encoding_ = kEncodingShiftJIS;
    std::unique_ptr<CMvTextFileReaderBase> reader_;
};
