// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

namespace qm {

// Sleep and GetTickCount, and the waits that are bounded by a time-out. The device
// protocol is paced by sleeps; tests use the virtual clock, which records every sleep
// instead of waiting, and on which no time-out ever takes real time.
class Clock {
public:
    virtual ~Clock() = default;
    virtual void Sleep(int milliseconds) = 0;
    // Milliseconds since an arbitrary start, wrapping like GetTickCount.
    virtual uint32_t TickCount() = 0;
    // Waits on `cv` (with `lock` held) until `ready()` holds or `timeoutMs` have passed
    // (-1: no end); returns ready(). `ready` is checked under the lock each time `cv` wakes.
    virtual bool WaitFor(std::condition_variable& cv, std::unique_lock<std::mutex>& lock, int timeoutMs,
                         const std::function<bool()>& ready) = 0;
    // Waits until `fd` can be read or `timeoutMs` have passed (-1: no end); true when it
    // can be read.
    virtual bool WaitReadable(int fd, int timeoutMs) = 0;
};

class RealClock : public Clock {
public:
    void Sleep(int milliseconds) override;
    uint32_t TickCount() override;
    bool WaitFor(std::condition_variable& cv, std::unique_lock<std::mutex>& lock, int timeoutMs,
                 const std::function<bool()>& ready) override;
    bool WaitReadable(int fd, int timeoutMs) override;
};

// Time passes only when the program sleeps, and a wait with a time-out never waits for
// time: what has not come when it starts is taken as not coming, and its time-out passes
// at once (moving the clock on, but not counted among the program's sleeps, since it is
// no pause of the protocol). A wait without an end still waits for what it waits for.
class VirtualClock : public Clock {
public:
    void Sleep(int milliseconds) override;
    uint32_t TickCount() override;
    bool WaitFor(std::condition_variable& cv, std::unique_lock<std::mutex>& lock, int timeoutMs,
                 const std::function<bool()>& ready) override;
    bool WaitReadable(int fd, int timeoutMs) override;
    std::vector<int> Sleeps() const;
    int64_t TotalSleptMs() const;
    void Clear();

private:
    void Pass(int milliseconds);

    mutable std::mutex m_mutex;
    std::vector<int> m_sleeps;
    uint32_t m_now = 0;
};

}  // namespace qm
