#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qm {

// PathFileExistsW: true for files and folders alike.
bool PathExists(const std::string& path);
bool IsRegularFile(const std::string& path);
bool IsDirectory(const std::string& path);
// Size of a regular file; nullopt for anything else.
std::optional<int64_t> RegularFileSize(const std::string& path);

// Reads a regular file, at most `maxBytes` of it. Returns 0 and fills `out`, or an errno
// value (EISDIR for a folder, ENOENT for a missing file).
int ReadWholeFile(const std::string& path, std::string& out, size_t maxBytes = SIZE_MAX);

// Replaces `path` with `content` so that a crash or a full disk never leaves half a file:
// the bytes go to a temporary file in the same folder, which is flushed to disk and then
// renamed over the old file. Returns 0 or an errno value; on failure the old file is intact.
int WriteFileAtomic(const std::string& path, std::string_view content);

// The last component of a path, and everything before it (with its trailing '/').
std::string_view BaseName(std::string_view path);
std::string_view DirName(std::string_view path);

std::string ErrnoText(int error);

}  // namespace qm
