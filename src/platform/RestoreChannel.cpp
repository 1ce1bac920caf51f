#include "platform/RestoreChannel.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace qm {

namespace {

bool IsOwnFolder(const std::string& path) {
    struct stat info {};
    return !path.empty() && path[0] == '/' && ::stat(path.c_str(), &info) == 0 &&
           S_ISDIR(info.st_mode) && info.st_uid == ::getuid();
}

}  // namespace

std::string RuntimeFolder() {
    if (const char* xdg = std::getenv("XDG_RUNTIME_DIR"); xdg != nullptr && IsOwnFolder(xdg)) {
        return xdg;
    }
    const std::string run = "/run/user/" + std::to_string(::getuid());
    if (IsOwnFolder(run)) {
        return run;
    }
    const char* tmp = std::getenv("TMPDIR");
    std::string own = std::string(tmp != nullptr && tmp[0] == '/' ? tmp : "/tmp") + "/qm517pro-" +
                      std::to_string(::getuid());
    ::mkdir(own.c_str(), 0700);
    // A folder someone else made under that name is not ours to use.
    return IsOwnFolder(own) ? own : std::string{};
}

std::string RestoreChannelName() {
    // FNV-1a of the runtime folder: the name stays short whatever the folder's length.
    uint64_t hash = 0xcbf29ce484222325ULL;
    for (const unsigned char c : RuntimeFolder()) {
        hash = (hash ^ c) * 0x100000001b3ULL;
    }
    char key[17];
    std::snprintf(key, sizeof key, "%016llx", static_cast<unsigned long long>(hash));
    return "QM517Pro_Mutex-" + std::to_string(::getuid()) + "-" + key;
}

bool SendRestoreMessage() {
    const std::string name = RestoreChannelName();
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path + 1, name.data(), name.size());  // abstract: leading 0
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
    bool sent = ::connect(fd, reinterpret_cast<sockaddr*>(&address), length) == 0;
    if (sent) {
        const size_t size = std::strlen(kRestoreMessage);
        sent = ::send(fd, kRestoreMessage, size, MSG_NOSIGNAL) == static_cast<ssize_t>(size);
    }
    ::close(fd);
    return sent;
}

}  // namespace qm
