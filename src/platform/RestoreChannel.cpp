// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RestoreChannel.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace qm {

namespace {

// Ours, and no one else may add to it.
bool IsPrivateFolder(const std::string& path, unsigned uid) {
    struct stat info {};
    return !path.empty() && path[0] == '/' && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == uid && (info.st_mode & 022) == 0;
}

std::optional<RuntimePlaces>& OverriddenPlaces() {
    static std::optional<RuntimePlaces> places;
    return places;
}

}  // namespace

RuntimePlaces RuntimePlaces::OfThisProcess() {
    RuntimePlaces places;
    places.uid = ::getuid();
    const char* xdg = std::getenv("XDG_RUNTIME_DIR");
    places.xdgRuntimeDir = xdg != nullptr ? xdg : "";
    places.runUser = "/run/user/" + std::to_string(places.uid);
    const char* tmp = std::getenv("TMPDIR");
    places.temp = tmp != nullptr && tmp[0] == '/' ? tmp : "/tmp";
    return places;
}

void SetRuntimePlaces(const RuntimePlaces* places) {
    OverriddenPlaces() = places != nullptr ? std::optional<RuntimePlaces>(*places) : std::nullopt;
}

std::string RuntimeFolder() {
    return RuntimeFolderIn(OverriddenPlaces() ? *OverriddenPlaces() : RuntimePlaces::OfThisProcess());
}

std::string RuntimeFolderIn(const RuntimePlaces& places) {
    if (IsPrivateFolder(places.xdgRuntimeDir, places.uid)) {
        return places.xdgRuntimeDir;
    }
    if (IsPrivateFolder(places.runUser, places.uid)) {
        return places.runUser;
    }
    const std::string own = places.temp + "/qm517pro-" + std::to_string(places.uid);
    ::mkdir(own.c_str(), 0700);
    struct stat info {};
    if (::lstat(own.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != places.uid) {
        return {};  // someone else's, a link, or no folder: not a place for our lock
    }
    if ((info.st_mode & 077) != 0) {
        ::chmod(own.c_str(), 0700);
    }
    return IsPrivateFolder(own, places.uid) ? own : std::string{};
}

std::string RestoreSocketPath() {
    const std::string folder = RuntimeFolder();
    return folder.empty() ? std::string{} : folder + "/QM517Pro_Mutex.socket";
}

bool SendRestoreMessage() {
    const std::string path = RestoreSocketPath();
    sockaddr_un address{};
    if (path.empty() || path.size() >= sizeof address.sun_path) {
        return false;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.data(), path.size());
    bool sent = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (sent) {
        const size_t size = std::strlen(kRestoreMessage);
        sent = ::send(fd, kRestoreMessage, size, MSG_NOSIGNAL) == static_cast<ssize_t>(size);
    }
    ::close(fd);
    return sent;
}

}  // namespace qm
