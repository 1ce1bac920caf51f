#include "platform/UploadLock.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

#include "platform/RestoreChannel.h"

namespace qm {

std::string UploadLock::Acquire(const std::vector<std::string>& devices, int timeoutMs,
                                const std::function<void(const std::string&)>& waiting,
                                const std::atomic<bool>* stop) {
    Release();
    const std::string folder = RuntimeFolder();
    if (folder.empty()) {
        return {};
    }
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& device : devices) {
        const std::string path = folder + "/QM517Pro-upload-" + device + ".lock";
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) {
            continue;  // a lock that cannot be made locks nothing; the upload goes on
        }
        bool told = false;
        for (;;) {
            if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
                m_fds.push_back(fd);
                break;
            }
            const bool busy = errno == EWOULDBLOCK;
            const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
                                    std::chrono::steady_clock::now() - start)
                                    .count();
            if (!busy) {
                ::close(fd);  // flock itself failed: nothing to wait for
                break;
            }
            if (timeoutMs == 0 || (timeoutMs > 0 && waited >= timeoutMs) || (stop != nullptr && stop->load())) {
                ::close(fd);
                Release();
                return device;
            }
            if (!told && waiting) {
                told = true;
                waiting(device);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
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
