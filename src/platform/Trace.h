// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <ostream>
#include <string>
#include <string_view>

#include "platform/Clock.h"

namespace qm {

// The record of every report and sleep, one line per operation, hex bytes in lower case:
//   a11d SET_FEATURE 00 81 00 00 00 00 00 00 7e
//   SLEEP 50
//   POINTER accel=0,0,0 speed=10 wheel=3 doubleclick=550
// Lines are written whole (reader threads trace too) and flushed at once.
class Trace {
public:
    explicit Trace(std::ostream& out) : m_out(out) {}
    void Line(std::string_view line);
    void Report(std::string_view device, std::string_view operation, const uint8_t* data,
                size_t size);
    // Whether a line could not be written (a full disk, say): the trace is then incomplete.
    bool Failed() const { return m_failed; }

private:
    std::mutex m_mutex;
    std::ostream& m_out;
    std::atomic<bool> m_failed{false};
};

std::string HexBytes(const uint8_t* data, size_t size);

// A clock that writes "SLEEP n" for every sleep before taking it. Waits are no pauses of
// the protocol and are not traced.
class TracingClock : public Clock {
public:
    TracingClock(Clock& inner, Trace& trace) : m_inner(inner), m_trace(trace) {}
    void Sleep(int milliseconds) override;
    uint32_t TickCount() override { return m_inner.TickCount(); }
    bool WaitFor(std::condition_variable& cv, std::unique_lock<std::mutex>& lock, int timeoutMs,
                 const std::function<bool()>& ready) override {
        return m_inner.WaitFor(cv, lock, timeoutMs, ready);
    }
    bool WaitReadable(int fd, int timeoutMs) override { return m_inner.WaitReadable(fd, timeoutMs); }

private:
    Clock& m_inner;
    Trace& m_trace;
};

}  // namespace qm
