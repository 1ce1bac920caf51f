// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/PointerSettings.h"

#include <algorithm>

#include "platform/Format.h"
#include "platform/Trace.h"

namespace qm {

PointerValues ComputePointerValues(const SettingsRecord& r) {
    PointerValues v;
    if (r[rec::kEnhancePrecision] == 1) {
        v.acceleration = {6, 10, 1};
    }
    // A damaged profile may hold anything: the desktop gets only values the pages can set.
    const int s = std::clamp<int>(r[rec::kPointerSpeed], 1, 11);
    v.speed = s == 1 ? 1 : 2 * s - 2;
    v.wheelLines = r[rec::kScrollOneScreen] != 0 ? 0xFFFFFFFFu : std::clamp<uint32_t>(r[rec::kWheelLines], 1, 100);
    v.doubleClickMs = DoubleClickTimeMs(std::clamp<int>(r[rec::kDoubleClickSpeed], 1, 11));
    return v;
}

bool TracePointerSink::SetMouse(const std::array<int, 3>& acceleration) {
    m_values.acceleration = acceleration;
    return true;
}

bool TracePointerSink::SetMouseSpeed(int speed) {
    m_values.speed = speed;
    return true;
}

bool TracePointerSink::SetWheelScrollLines(uint32_t lines) {
    m_values.wheelLines = lines;
    return true;
}

// The double-click time is the last of the four calls: the line is written with it.
bool TracePointerSink::SetDoubleClickTime(int milliseconds) {
    m_values.doubleClickMs = milliseconds;
    m_trace.Line(Format("POINTER accel=%d,%d,%d speed=%d wheel=%u doubleclick=%d",
                        m_values.acceleration[0], m_values.acceleration[1],
                        m_values.acceleration[2], m_values.speed, m_values.wheelLines,
                        m_values.doubleClickMs));
    return true;
}

#define QM_EACH_SINK(call)          \
    bool ok = true;                 \
    for (PointerSink* sink : m_sinks) { \
        ok = sink->call && ok;      \
    }                               \
    return ok

bool PointerSinks::SetMouse(const std::array<int, 3>& acceleration) {
    QM_EACH_SINK(SetMouse(acceleration));
}
bool PointerSinks::SetMouseSpeed(int speed) {
    QM_EACH_SINK(SetMouseSpeed(speed));
}
bool PointerSinks::SetWheelScrollLines(uint32_t lines) {
    QM_EACH_SINK(SetWheelScrollLines(lines));
}
bool PointerSinks::SetDoubleClickTime(int milliseconds) {
    QM_EACH_SINK(SetDoubleClickTime(milliseconds));
}
#undef QM_EACH_SINK

void ApplyPointerSettings(const SettingsRecord& record, PointerSink& sink, DebugOutput& debug) {
    const PointerValues v = ComputePointerValues(record);
    if (!sink.SetMouse(v.acceleration)) {
        debug.Write("SETMOUSE failed.\n");
    }
    if (!sink.SetMouseSpeed(v.speed)) {
        debug.Write("SETMOUSESPEED failed.\n");
    }
    if (!sink.SetWheelScrollLines(v.wheelLines)) {
        debug.Write("SETWHEELSCROLLLINES failed.\n");
    }
    if (!sink.SetDoubleClickTime(v.doubleClickMs)) {
        debug.Write("SPI_SETDOUBLECLICKTIME failed.\n");
    }
}

}  // namespace qm
