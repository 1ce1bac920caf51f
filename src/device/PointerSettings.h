// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/SettingsRecord.h"
#include "platform/DebugOutput.h"
#include "platform/PointerSink.h"

namespace qm {

class Trace;

// The four pointer options a profile carries, as SystemParametersInfo takes them.
struct PointerValues {
    std::array<int, 3> acceleration{};  // {6, 10, 1} with enhanced precision, else {0, 0, 0}
    int speed = 0;                      // 1..20
    uint32_t wheelLines = 0;            // 0xFFFFFFFF: one screen per notch
    int doubleClickMs = 0;              // 970 - 70 x step

    bool operator==(const PointerValues&) const = default;
};

PointerValues ComputePointerValues(const SettingsRecord& record);

// Writes "POINTER accel=a,b,c speed=s wheel=w doubleclick=d" to the trace.
class TracePointerSink : public PointerSink {
public:
    explicit TracePointerSink(Trace& trace) : m_trace(trace) {}
    bool SetMouse(const std::array<int, 3>& acceleration) override;
    bool SetMouseSpeed(int speed) override;
    bool SetWheelScrollLines(uint32_t lines) override;
    bool SetDoubleClickTime(int milliseconds) override;

private:
    Trace& m_trace;
    PointerValues m_values;
};

// Hands every call to each sink in turn; a call succeeds when every sink took it.
class PointerSinks : public PointerSink {
public:
    void Add(PointerSink& sink) { m_sinks.push_back(&sink); }
    bool SetMouse(const std::array<int, 3>& acceleration) override;
    bool SetMouseSpeed(int speed) override;
    bool SetWheelScrollLines(uint32_t lines) override;
    bool SetDoubleClickTime(int milliseconds) override;

private:
    std::vector<PointerSink*> m_sinks;
};

// The four calls in their order; a failed call writes its debug line and the next call is
// still made.
void ApplyPointerSettings(const SettingsRecord& record, PointerSink& sink, DebugOutput& debug);

}  // namespace qm
