#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

namespace qm {

// Sleep and GetTickCount. The device protocol is paced by sleeps; tests use the virtual
// clock, which records every sleep instead of waiting.
class Clock {
public:
    virtual ~Clock() = default;
    virtual void Sleep(int milliseconds) = 0;
    // Milliseconds since an arbitrary start, wrapping like GetTickCount.
    virtual uint32_t TickCount() = 0;
};

class RealClock : public Clock {
public:
    void Sleep(int milliseconds) override;
    uint32_t TickCount() override;
};

class VirtualClock : public Clock {
public:
    void Sleep(int milliseconds) override;
    uint32_t TickCount() override;
    std::vector<int> Sleeps() const;
    int64_t TotalSleptMs() const;
    void Clear();

private:
    mutable std::mutex m_mutex;
    std::vector<int> m_sleeps;
    uint32_t m_now = 0;
};

}  // namespace qm
