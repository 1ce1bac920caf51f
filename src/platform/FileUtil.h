#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// PathFileExistsW: true for files and folders alike.
bool PathExists(const std::string& path);
bool IsRegularFile(const std::string& path);
bool IsDirectory(const std::string& path);
// Size of a regular file; nullopt for anything else.
std::optional<int64_t> RegularFileSize(const std::string& path);

// The error of a path that is there but is no regular file (a FIFO, a device, a socket):
// not an errno value; ErrnoText names it.
constexpr int kNotRegularFile = 10001;

// Reads a regular file, at most `maxBytes` of it. Returns 0 and fills `out`, or an errno
// value (EISDIR for a folder, ENOENT for a missing file, kNotRegularFile for a FIFO or a
// device, which are never waited on).
int ReadWholeFile(const std::string& path, std::string& out, size_t maxBytes = SIZE_MAX);

// Replaces `path` with `content` so that a crash or a full disk never leaves half a file:
// the bytes go to a temporary file in the same folder (".<name>.XXXXXX"), which is flushed
// to disk and then renamed over the old file. A replaced file keeps its mode; a new one
// gets the mode the user's umask gives. Returns 0 or an errno value; on failure the old
// file is intact.
int WriteFileAtomic(const std::string& path, std::string_view content);

// Creates a folder and its missing parents (modes as the umask gives). Returns 0 or errno.
int MakeFolders(const std::string& path);

// The process's umask (read without changing it where the system tells it).
unsigned CurrentUmask();

// Removes the temporaries a crashed write left in `folder` (".<name>.XXXXXX" of the names
// given, and "<name>.reorder"), when they are older than `minAgeSeconds` (a younger one
// may belong to a write that is still running). Returns the names removed.
std::vector<std::string> RemoveStaleTemporaries(const std::string& folder, const std::vector<std::string>& names,
                                                int minAgeSeconds);

// The last component of a path, and everything before it (with its trailing '/').
std::string_view BaseName(std::string_view path);
std::string_view DirName(std::string_view path);

std::string ErrnoText(int error);

}  // namespace qm
