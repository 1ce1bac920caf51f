// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileUtil.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qm {

bool PathExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

bool IsRegularFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::optional<int64_t> RegularFileSize(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return std::nullopt;
    }
    return static_cast<int64_t>(st.st_size);
}

int ReadWholeFile(const std::string& path, std::string& out, size_t maxBytes) {
    out.clear();
    // Non-blocking: opening a FIFO must not wait for a writer that never comes.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return errno;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        ::close(fd);
        return error;
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return S_ISDIR(st.st_mode) ? EISDIR : kNotRegularFile;
    }
    out.reserve(std::min(static_cast<size_t>(st.st_size), maxBytes));
    char buffer[65536];
    while (out.size() < maxBytes) {
        const ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, maxBytes - out.size()));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int error = errno;
            ::close(fd);
            out.clear();
            return error;
        }
        if (n == 0) {
            break;
        }
        out.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return 0;
}

namespace {

// Makes a rename in `folder` last through a power cut: the folder's entry goes to disk.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}


FileStepHook& StepHook() {
    static FileStepHook hook;
    return hook;
}

int BeforeStep(FileStep step, const std::string& path) {
    const FileStepHook& hook = StepHook();
    return hook ? hook(step, path) : 0;
}

// Where a write to `path` lands: the path itself, or for a symbolic link the regular file
// of this user it leads to. Empty (with `error` set) when a link leads elsewhere.
std::string WriteTarget(const std::string& path, int& error) {
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) {
        return path;
    }
    char* resolved = ::realpath(path.c_str(), nullptr);
    struct stat st {};
    const bool ours = resolved != nullptr && ::stat(resolved, &st) == 0 && S_ISREG(st.st_mode) &&
                      st.st_uid == ::geteuid();
    std::string target = ours ? std::string(resolved) : std::string();
    std::free(resolved);
    error = ours ? 0 : kRefusedLink;
    return target;
}

}  // namespace

void SetFileStepHook(FileStepHook hook) {
    StepHook() = std::move(hook);
}

int RemoveFile(const std::string& path) {
    if (const int error = BeforeStep(FileStep::kRemove, path)) {
        return error;
    }
    if (::unlink(path.c_str()) != 0) {
        return errno == ENOENT ? 0 : errno;
    }
    SyncFolder(std::string(DirName(path)));
    return 0;
}

namespace {

// A new file's contents written to disk beside the file it replaces, not yet in its place.
struct Prepared {
    std::string requested;  // the path asked for (what the step hook is told)
    std::string target;     // the file replaced: the path, or the file a link leads to
    std::string temp;
};

int Prepare(const std::string& requested, std::string_view content, Prepared& out) {
    if (requested.empty()) {
        return ENOENT;
    }
    int linkError = 0;
    out.requested = requested;
    out.target = WriteTarget(requested, linkError);
    if (linkError != 0) {
        return linkError;
    }
    struct stat old {};
    const bool existed = ::stat(out.target.c_str(), &old) == 0;
    if (existed && S_ISDIR(old.st_mode)) {
        return EISDIR;
    }
    if (const int error = BeforeStep(FileStep::kCreate, requested)) {
        return error;
    }
    out.temp = std::string(DirName(out.target)) + "." + std::string(BaseName(out.target)) + ".XXXXXX";
    const int fd = ::mkstemp(out.temp.data());
    if (fd < 0) {
        return errno;
    }
    int error = 0;
    ::fchmod(fd, existed ? (old.st_mode & 07777) : (0666 & ~CurrentUmask()));
    size_t done = 0;
    while (done < content.size() && error == 0) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0) {
            if (errno != EINTR) {
                error = errno;
            }
            continue;
        }
        done += static_cast<size_t>(n);
    }
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(out.temp.c_str());
    }
    return error;
}

int Install(const Prepared& prepared) {
    int error = BeforeStep(FileStep::kRename, prepared.requested);
    if (error == 0 && ::rename(prepared.temp.c_str(), prepared.target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(prepared.temp.c_str());
        return error;
    }
    SyncFolder(std::string(DirName(prepared.target)));
    return 0;
}

}  // namespace

int WriteFileAtomic(const std::string& path, std::string_view content) {
    Prepared prepared;
    if (const int error = Prepare(path, content, prepared)) {
        return error;
    }
    return Install(prepared);
}

int WriteFilesAtomic(const std::vector<std::pair<std::string, std::string>>& files, std::string& what) {
    what.clear();
    // What each file holds now, to put back should a later one fail.
    std::vector<std::optional<std::string>> old(files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        std::string bytes;
        const int error = ReadWholeFile(files[i].first, bytes);
        if (error != 0 && error != ENOENT) {
            what = "cannot read " + files[i].first + ": " + ErrnoText(error) + "; nothing was written";
            return error;
        }
        if (error == 0) {
            old[i] = std::move(bytes);
        }
    }
    std::vector<Prepared> prepared(files.size());
    const auto dropTemps = [&](size_t from) {
        for (size_t j = from; j < prepared.size(); ++j) {
            if (!prepared[j].temp.empty()) {
                ::unlink(prepared[j].temp.c_str());
            }
        }
    };
    for (size_t i = 0; i < files.size(); ++i) {
        if (const int error = Prepare(files[i].first, files[i].second, prepared[i])) {
            prepared[i].temp.clear();
            dropTemps(0);
            what = "cannot write " + files[i].first + ": " + ErrnoText(error) + "; nothing was written";
            return error;
        }
    }
    for (size_t i = 0; i < files.size(); ++i) {
        if (const int error = Install(prepared[i])) {
            dropTemps(i + 1);
            what = "cannot write " + files[i].first + ": " + ErrnoText(error);
            bool undone = true;
            for (size_t j = i; j-- > 0;) {
                undone = (old[j] ? WriteFileAtomic(files[j].first, *old[j]) : RemoveFile(files[j].first)) == 0 && undone;
            }
            what += undone ? "; nothing was written" : "; " + files[0].first + " could not be put back";
            return error;
        }
    }
    return 0;
}

std::string_view BaseName(std::string_view path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view DirName(std::string_view path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string_view::npos ? std::string_view{} : path.substr(0, slash + 1);
}

std::string ErrnoText(int error) {
    if (error == kNotRegularFile) {
        return "not a regular file (a FIFO, a device or a socket)";
    }
    if (error == kRefusedLink) {
        return "a symbolic link that does not lead to a regular file of this user (left as it is)";
    }
    return std::strerror(error);
}

unsigned CurrentUmask() {
    // Linux tells it in /proc; elsewhere it is read by setting it back at once.
    std::string status;
    if (ReadWholeFile("/proc/self/status", status, 1 << 16) == 0) {
        const size_t at = status.find("\nUmask:");
        if (at != std::string::npos) {
            return static_cast<unsigned>(std::strtoul(status.c_str() + at + 8, nullptr, 8));
        }
    }
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

std::vector<std::string> RemoveStaleTemporaries(const std::string& folder, const std::vector<std::string>& names,
                                                int minAgeSeconds) {
    std::vector<std::string> removed;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return removed;
    }
    const time_t now = ::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string file = entry->d_name;
        bool ours = false;
        for (const std::string& name : names) {
            const std::string prefix = "." + name + ".";
            const bool mkstemp = file.size() == prefix.size() + 6 && file.compare(0, prefix.size(), prefix) == 0;
            ours = ours || mkstemp || file == name + ".reorder";
        }
        struct stat st {};
        const std::string path = folder + file;
        if (ours && ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && now - st.st_mtime >= minAgeSeconds &&
            ::unlink(path.c_str()) == 0) {
            removed.push_back(file);
        }
    }
    ::closedir(dir);
    return removed;
}

int MakeFolders(const std::string& path) {
    std::string partial;
    size_t pos = 0;
    while (pos <= path.size()) {
        const size_t slash = path.find('/', pos);
        const size_t end = slash == std::string::npos ? path.size() : slash;
        partial = path.substr(0, end);
        if (!partial.empty() && ::mkdir(partial.c_str(), 0777) != 0 && errno != EEXIST) {
            return errno;
        }
        if (slash == std::string::npos) {
            break;
        }
        pos = slash + 1;
    }
    return IsDirectory(path) ? 0 : ENOTDIR;
}

}  // namespace qm
