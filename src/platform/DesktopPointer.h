// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/PointerSink.h"

namespace qm {

// Applies the pointer options where the desktop has such settings: GNOME through
// gsettings (acceleration profile, speed, double-click time), other X11 sessions through
// xset (acceleration). Where neither exists the calls do nothing and count as done. The
// wheel has no desktop-wide setting on Linux.
class DesktopPointerSink : public PointerSink {
public:
    // Runs a command line; returns its exit status (-1 when it could not start).
    using Runner = std::function<int(const std::vector<std::string>&)>;
    DesktopPointerSink();
    DesktopPointerSink(bool gnome, bool x11, Runner runner);

    bool SetMouse(const std::array<int, 3>& acceleration) override;
    bool SetMouseSpeed(int speed) override;
    bool SetWheelScrollLines(uint32_t lines) override;
    bool SetDoubleClickTime(int milliseconds) override;

private:
    bool m_gnome;
    bool m_x11;
    Runner m_run;
};

// Runs a program with its arguments, waits for it, returns its exit status or -1.
int RunProgram(const std::vector<std::string>& argv);

}  // namespace qm
