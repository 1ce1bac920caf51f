// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sstream>

#include "device/PointerSettings.h"
#include "platform/DesktopPointer.h"
#include "platform/Trace.h"

namespace qm {
namespace {

TEST(PointerSettings, ValuesFromTheRecord) {
    struct Case {
        uint8_t precision, speed, oneScreen, lines, doubleClick;
        PointerValues expected;
    };
    const Case cases[] = {
        {0xFF, 6, 0, 3, 6, {{0, 0, 0}, 10, 3, 550}},
        {0, 1, 0, 100, 1, {{0, 0, 0}, 1, 100, 900}},
        {1, 2, 1, 3, 11, {{6, 10, 1}, 2, 0xFFFFFFFFu, 200}},
        {2, 11, 0, 1, 6, {{0, 0, 0}, 20, 1, 550}},
        // A damaged record: the desktop gets the nearest value it accepts.
        {0, 0, 0, 0, 0, {{0, 0, 0}, 1, 1, 900}},
        {0, 194, 0, 250, 255, {{0, 0, 0}, 20, 100, 200}},
    };
    for (const auto& c : cases) {
        SettingsRecord r;
        r[rec::kEnhancePrecision] = c.precision;
        r[rec::kPointerSpeed] = c.speed;
        r[rec::kScrollOneScreen] = c.oneScreen;
        r[rec::kWheelLines] = c.lines;
        r[rec::kDoubleClickSpeed] = c.doubleClick;
        EXPECT_EQ(ComputePointerValues(r), c.expected) << int{c.speed};
    }
}

struct FailingSink : PointerSink {
    std::vector<std::string> calls;
    bool SetMouse(const std::array<int, 3>&) override { return Call("mouse", false); }
    bool SetMouseSpeed(int) override { return Call("speed", true); }
    bool SetWheelScrollLines(uint32_t) override { return Call("wheel", false); }
    bool SetDoubleClickTime(int) override { return Call("double-click", false); }
    bool Call(const char* what, bool ok) {
        calls.push_back(what);
        return ok;
    }
};

TEST(PointerSettings, EveryCallIsMadeAndEachFailureLeavesItsLine) {
    SettingsRecord r;
    ApplyFactoryDefaults(r);
    FailingSink sink;
    CapturedDebugOutput debug;
    ApplyPointerSettings(r, sink, debug);
    EXPECT_EQ(sink.calls, (std::vector<std::string>{"mouse", "speed", "wheel", "double-click"}));
    EXPECT_EQ(debug.Lines(), (std::vector<std::string>{"SETMOUSE failed.\n", "SETWHEELSCROLLLINES failed.\n",
                                                       "SPI_SETDOUBLECLICKTIME failed.\n"}));
}

TEST(PointerSettings, DesktopCommands) {
    std::vector<std::string> ran;
    auto runner = [&](const std::vector<std::string>& argv) {
        std::string line;
        for (const auto& a : argv) {
            line += (line.empty() ? "" : " ") + a;
        }
        ran.push_back(line);
        return 0;
    };
    DesktopPointerSink gnome(true, true, runner);
    EXPECT_TRUE(gnome.SetMouse({0, 0, 0}));
    EXPECT_TRUE(gnome.SetMouseSpeed(7));
    EXPECT_TRUE(gnome.SetMouseSpeed(20));
    EXPECT_TRUE(gnome.SetWheelScrollLines(3));
    EXPECT_TRUE(gnome.SetDoubleClickTime(550));
    EXPECT_EQ(ran, (std::vector<std::string>{
                       "gsettings set org.gnome.desktop.peripherals.mouse accel-profile flat",
                       "gsettings set org.gnome.desktop.peripherals.mouse speed -0.3",
                       "gsettings set org.gnome.desktop.peripherals.mouse speed 1.0",
                       "gsettings set org.gnome.desktop.peripherals.mouse double-click 550"}));
    ran.clear();
    DesktopPointerSink x11(false, true, runner);
    x11.SetMouse({6, 10, 1});
    x11.SetMouseSpeed(10);
    EXPECT_EQ(ran, std::vector<std::string>{"xset m 2/1 6"});
    ran.clear();
    DesktopPointerSink none(false, false, runner);
    EXPECT_TRUE(none.SetMouse({6, 10, 1}));
    EXPECT_TRUE(none.SetDoubleClickTime(200));
    EXPECT_TRUE(ran.empty());
    DesktopPointerSink broken(true, false, [](const std::vector<std::string>&) { return -1; });
    EXPECT_FALSE(broken.SetDoubleClickTime(200));
}

TEST(PointerSettings, TraceLine) {
    std::ostringstream text;
    Trace trace(text);
    TracePointerSink sink(trace);
    SettingsRecord r;
    ApplyFactoryDefaults(r);
    r[rec::kScrollOneScreen] = 1;
    CapturedDebugOutput debug;
    ApplyPointerSettings(r, sink, debug);
    EXPECT_EQ(text.str(), "POINTER accel=0,0,0 speed=10 wheel=4294967295 doubleclick=550\n");
}

}  // namespace
}  // namespace qm
