// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/UploadLock.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <unistd.h>

#include "platform/RestoreChannel.h"

namespace qm {

namespace {

// Waits for the holder of the flock on `path` (open as `fd`) to let go, for `timeoutMs` on
// `clock` (-1: no end). Whoever lets go of the lock closes the file, and
// closing it is what inotify reports, so waiting costs no wake-ups; any close (another
// waiter's too) is a reason to try again. False when the time ran out.
bool WaitForLock(int fd, const std::string& path, int timeoutMs, Clock& clock) {
    const uint32_t start = clock.TickCount();
    const int watch = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    // Watched before the next try, so that a release between the try and the wait is seen.
    const bool watching = watch >= 0 && ::inotify_add_watch(watch, path.c_str(), IN_CLOSE) >= 0;
    bool taken = false;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            taken = true;
            break;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            taken = true;  // flock itself fails: nothing to wait for, the upload goes on unlocked
            break;
        }
        int left = -1;
        if (timeoutMs >= 0) {
            left = timeoutMs - static_cast<int>(clock.TickCount() - start);
            if (left <= 0) {
                break;
            }
        }
        if (watching) {
            if (clock.WaitReadable(watch, left)) {
                char events[4096];
                while (::read(watch, events, sizeof events) > 0) {
                }
            }
        } else if (left < 0) {
            ::poll(nullptr, 0, 100);  // no inotify (its limits reached): look again now and then
        } else {
            clock.WaitReadable(-1, std::min(left, 100));
        }
    }
    if (watch >= 0) {
        ::close(watch);
    }
    return taken;
}

}  // namespace

std::string UploadLock::Acquire(const std::vector<std::string>& devices, int timeoutMs,
                                const std::function<void(const std::string&)>& waiting, Clock& clock) {
    Release();
    const std::string folder = RuntimeFolder();
    if (folder.empty()) {
        return {};
    }
    const uint32_t start = clock.TickCount();
    for (const std::string& device : devices) {
        const std::string path = folder + "/QM517Pro-upload-" + device + ".lock";
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) {
            continue;  // a lock that cannot be made locks nothing; the upload goes on
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            m_fds.push_back(fd);
            continue;
        }
        if (errno != EWOULDBLOCK) {
            ::close(fd);  // flock itself failed: nothing to wait for
            continue;
        }
        if (timeoutMs != 0 && waiting) {
            waiting(device);
        }
        // The time-out covers the whole call, every device together.
        const int left = timeoutMs < 0 ? -1 : std::max(0, timeoutMs - static_cast<int>(clock.TickCount() - start));
        if (left == 0 || !WaitForLock(fd, path, left, clock)) {
            ::close(fd);
            Release();
            return device;
        }
        m_fds.push_back(fd);
    }
    return {};
}

void UploadLock::Release() {
    for (const int fd : m_fds) {
        ::close(fd);  // closing the last descriptor drops the flock
    }
    m_fds.clear();
}

}  // namespace qm
