#include "platform/Clock.h"

#include <chrono>
#include <numeric>
#include <thread>

namespace qm {

void RealClock::Sleep(int milliseconds) {
    if (milliseconds > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
}

uint32_t RealClock::TickCount() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
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
