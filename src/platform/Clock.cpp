// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Clock.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <numeric>
#include <poll.h>
#include <thread>

namespace qm {

namespace {

// poll() of one descriptor that carries on across signals; -1: no end.
bool PollReadable(int fd, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        int wait = timeoutMs;
        if (timeoutMs > 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            wait = static_cast<int>(std::max<int64_t>(0, left.count()));
        }
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, wait);
        if (ready >= 0 || errno != EINTR) {
            return ready > 0;
        }
    }
}

}  // namespace

void RealClock::Sleep(int milliseconds) {
    if (milliseconds > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
}

uint32_t RealClock::TickCount() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

bool RealClock::WaitFor(std::condition_variable& cv, std::unique_lock<std::mutex>& lock, int timeoutMs,
                        const std::function<bool()>& ready) {
    if (timeoutMs < 0) {
        cv.wait(lock, ready);
        return true;
    }
    return cv.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready);
}

bool RealClock::WaitReadable(int fd, int timeoutMs) {
    return PollReadable(fd, timeoutMs);
}

void VirtualClock::Sleep(int milliseconds) {
    std::lock_guard lock(m_mutex);
    m_sleeps.push_back(milliseconds);
    m_now += static_cast<uint32_t>(milliseconds);
}

uint32_t VirtualClock::TickCount() {
    std::lock_guard lock(m_mutex);
    return m_now;
}

void VirtualClock::Pass(int milliseconds) {
    std::lock_guard lock(m_mutex);
    m_now += static_cast<uint32_t>(std::max(0, milliseconds));
}

bool VirtualClock::WaitFor(std::condition_variable& cv, std::unique_lock<std::mutex>& lock, int timeoutMs,
                           const std::function<bool()>& ready) {
    if (timeoutMs < 0) {
        cv.wait(lock, ready);
        return true;
    }
    if (ready()) {
        return true;
    }
    Pass(timeoutMs);
    return false;
}

bool VirtualClock::WaitReadable(int fd, int timeoutMs) {
    if (timeoutMs < 0) {
        return PollReadable(fd, -1);
    }
    if (PollReadable(fd, 0)) {
        return true;
    }
    Pass(timeoutMs);
    return false;
}

std::vector<int> VirtualClock::Sleeps() const {
    std::lock_guard lock(m_mutex);
    return m_sleeps;
}

int64_t VirtualClock::TotalSleptMs() const {
    std::lock_guard lock(m_mutex);
    return std::accumulate(m_sleeps.begin(), m_sleeps.end(), int64_t{0});
}

void VirtualClock::Clear() {
    std::lock_guard lock(m_mutex);
    m_sleeps.clear();
}

}  // namespace qm
