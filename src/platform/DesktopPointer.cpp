// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DesktopPointer.h"

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>

extern char** environ;

namespace qm {

int RunProgram(const std::vector<std::string>& argv) {
    if (argv.empty()) {
        return -1;
    }
    std::vector<char*> args;
    for (const auto& a : argv) {
        args.push_back(const_cast<char*>(a.c_str()));
    }
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return -1;
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            return -1;
        }
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

static bool EnvContains(const char* name, const char* part) {
    const char* value = std::getenv(name);
    return value != nullptr && std::strstr(value, part) != nullptr;
}

// An X11 session: on Wayland, DISPLAY names Xwayland, whose pointer settings are not the
// desktop's.
static bool X11Session() {
    return std::getenv("DISPLAY") != nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr &&
           !EnvContains("XDG_SESSION_TYPE", "wayland");
}

DesktopPointerSink::DesktopPointerSink()
    : DesktopPointerSink(EnvContains("XDG_CURRENT_DESKTOP", "GNOME"), X11Session(), RunProgram) {}

DesktopPointerSink::DesktopPointerSink(bool gnome, bool x11, Runner runner)
    : m_gnome(gnome), m_x11(x11), m_run(std::move(runner)) {}

static const char* kMouseSchema = "org.gnome.desktop.peripherals.mouse";

bool DesktopPointerSink::SetMouse(const std::array<int, 3>& acceleration) {
    const bool on = acceleration[2] != 0;
    if (m_gnome) {
        return m_run({"gsettings", "set", kMouseSchema, "accel-profile", on ? "adaptive" : "flat"}) == 0;
    }
    if (m_x11) {
        // Windows doubles the motion above its first threshold.
        return on ? m_run({"xset", "m", "2/1", std::to_string(acceleration[0])}) == 0
                  : m_run({"xset", "m", "1/1", "0"}) == 0;
    }
    return true;
}

bool DesktopPointerSink::SetMouseSpeed(int speed) {
    if (m_gnome) {
        // Windows steps 1..20 with 10 as the middle; GNOME -1..1 with 0 as the middle.
        const int tenths = speed - 10;
        const int magnitude = tenths < 0 ? -tenths : tenths;
        std::string value(tenths < 0 ? "-" : "");
        value.append(std::to_string(magnitude / 10)).append(1, '.').append(std::to_string(magnitude % 10));
        return m_run({"gsettings", "set", kMouseSchema, "speed", value}) == 0;
    }
    return true;
}

bool DesktopPointerSink::SetWheelScrollLines(uint32_t) {
    return true;
}

bool DesktopPointerSink::SetDoubleClickTime(int milliseconds) {
    if (m_gnome) {
        return m_run({"gsettings", "set", kMouseSchema, "double-click", std::to_string(milliseconds)}) == 0;
    }
    return true;
}

}  // namespace qm
