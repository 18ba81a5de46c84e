// What the layer tools need of the operating system's files, behind one interface with an
// implementation per system (posix/, win32/). Paths are the host's UTF-8 text.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace systemfiles {

/** A path from UTF-8 text, whatever the system's own path encoding. */
inline std::filesystem::path FromUtf8(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

/** A stream on an existing regular file of at most maxSize bytes, opened for reading
 *  without blocking on anything that is not a file; null with reason set otherwise. */
std::FILE* OpenRegularForReading(const std::filesystem::path& path, std::uint64_t maxSize,
                                 std::string& reason);
/** fopen with the path in the system's encoding; errno set on failure. */
std::FILE* OpenStream(const std::filesystem::path& path, const char* mode);
/** False, with errno set, when the existing file at path may not be written. */
bool MayWrite(const std::filesystem::path& path);
/** The stream's file gets the permissions of the file at like, when there is one. */
void CopyPermissions(std::FILE* stream, const std::filesystem::path& like);
/** Flushes the stream and puts its data on disk; errno set on failure. */
bool SyncToDisk(std::FILE* stream);
/** Puts the file from in the place of to at once; errno set on failure. */
bool ReplaceWith(const std::filesystem::path& from, const std::filesystem::path& to);

} // namespace systemfiles

namespace systemfiles {

/** Creates path, which must not exist yet, for writing (as "wb"); null with errno set. */
std::FILE* CreateExclusive(const std::filesystem::path& path);
/** This process's id. */
long CurrentProcessId();
/** True when no process has this id any more. */
bool ProcessIsGone(long id);

/** Where the system ends a process by a signal it may handle (SIGTERM, SIGHUP), the file
 *  at path is removed first, until DisarmRemoval(slot). A slot, or -1 when there is none
 *  (no room, or a system without such signals). */
int ArmRemovalAtTermination(const std::filesystem::path& path);
void DisarmRemoval(int slot);

} // namespace systemfiles
