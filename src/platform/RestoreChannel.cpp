#include "platform/RestoreChannel.h"

#include <cstddef>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace qm {

std::string RestoreChannelName() {
    return "QM517Pro_Mutex-" + std::to_string(::getuid());
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
