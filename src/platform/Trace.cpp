// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Trace.h"

#include <cstdio>

namespace qm {

std::string HexBytes(const uint8_t* data, size_t size) {
    std::string out;
    out.reserve(size * 3);
    char buf[4];
    for (size_t i = 0; i < size; ++i) {
        std::snprintf(buf, sizeof buf, i == 0 ? "%02x" : " %02x", data[i]);
        out += buf;
    }
    return out;
}

void Trace::Line(std::string_view line) {
    std::lock_guard lock(m_mutex);
    m_out << line << '\n';
    m_out.flush();
    if (!m_out) {
        m_failed = true;
    }
}

void Trace::Report(std::string_view device, std::string_view operation, const uint8_t* data,
                   size_t size) {
    std::string line;
    line.append(device).append(" ").append(operation);
    if (size > 0) {
        line.append(" ").append(HexBytes(data, size));
    }
    Line(line);
}

void TracingClock::Sleep(int milliseconds) {
    m_trace.Line("SLEEP " + std::to_string(milliseconds));
    m_inner.Sleep(milliseconds);
}

}  // namespace qm
