// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
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
// The error of a write to a symbolic link that does not lead to a regular file of this
// user: nothing is written through it, and the link stays.
constexpr int kRefusedLink = 10002;

// Reads a regular file, at most `maxBytes` of it. Returns 0 and fills `out`, or an errno
// value (EISDIR for a folder, ENOENT for a missing file, kNotRegularFile for a FIFO or a
// device, which are never waited on).
int ReadWholeFile(const std::string& path, std::string& out, size_t maxBytes = SIZE_MAX);

// Replaces `path` with `content` so that a crash or a full disk never leaves half a file:
// the bytes go to a temporary file in the same folder (".<name>.XXXXXX"), which is flushed
// to disk and then renamed over the old file. A replaced file keeps its mode; a new one
// gets the mode the user's umask gives. A symbolic link (a dotfile manager's) stays: the
// file it leads to is replaced the same way, beside itself, when it is a regular file of
// this user, and else nothing is written (kRefusedLink). Returns 0 or an errno value; on
// failure the old file is intact.
int WriteFileAtomic(const std::string& path, std::string_view content);

// Replaces several files (path, content) so that a failure changes none of them: every
// content is written beside its file first, then they are renamed into place in the order
// given, and a rename that fails puts back the files already replaced. (A crash between
// two renames leaves the first ones new.) Returns 0 or errno, with `what` saying which
// file failed and what became of the others.
int WriteFilesAtomic(const std::vector<std::pair<std::string, std::string>>& files, std::string& what);

// Removes a file (a symbolic link itself, not what it leads to). Returns 0 when it is
// gone, also when it was never there, or an errno value.
int RemoveFile(const std::string& path);

// The steps that change files, for tests that fail or interrupt each in turn: the
// temporary of an atomic write is made, it is renamed over the file, a file is removed.
enum class FileStep { kCreate, kRename, kRemove };
// Called before each such step with the path it changes (the file, not the temporary).
// A non-zero return fails the step with that errno value, as the system would; the hook
// may also end the process there, as a crash would. Empty: none (the default).
using FileStepHook = std::function<int(FileStep step, const std::string& path)>;
void SetFileStepHook(FileStepHook hook);

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
