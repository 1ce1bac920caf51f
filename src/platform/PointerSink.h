// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

namespace qm {

// Where the four pointer options of a profile go (SystemParametersInfo's four calls).
// Each call reports whether the system took it.
class PointerSink {
public:
    virtual ~PointerSink() = default;
    virtual bool SetMouse(const std::array<int, 3>& acceleration) = 0;
    virtual bool SetMouseSpeed(int speed) = 0;
    virtual bool SetWheelScrollLines(uint32_t lines) = 0;
    virtual bool SetDoubleClickTime(int milliseconds) = 0;
};

}  // namespace qm
