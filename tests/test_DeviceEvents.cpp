// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <thread>

#include "DeviceRig.h"
#include "device/DeviceEvents.h"
#include "platform/Hotplug.h"

namespace qm {
namespace {

constexpr uint16_t kA = 0xA11D;
constexpr uint16_t kB = 0xA1DC;
constexpr uint16_t kPad = 0xA1C9;

TEST(StageNotices, BalloonTextsFromTheAppliedSettings) {
    SettingsRecord applied;
    ApplyFactoryDefaults(applied);
    UiStrings en;
    en.FillUiStrings("EN");
    StageNotices n;
    EXPECT_EQ(n.OnDeviceStage(0, 2, applied, en),
              (Balloon{"Info", "Switch DPI into the third stage (2400)", 5000}));
    EXPECT_EQ(n.OnDeviceStage(1, 6, applied, en),
              (Balloon{"Info", "Switch DPI into the seven stage (12000)", 5000}));
    EXPECT_EQ(n.OnDeviceStage(0, 6, applied, en)->text, "Switch DPI into the seven stage (10800)");
    EXPECT_EQ(n.OnDeviceStage(2, 0, applied, en)->text, "Switch DPI into the first stage (NULL)");
    // A stage above 7 shows the text of the last balloon again.
    EXPECT_EQ(n.OnDeviceStage(0, 8, applied, en)->text, "Switch DPI into the first stage (NULL)");
    applied[rec::kDpiValueA + 7] = 181;
    EXPECT_EQ(n.OnDeviceStage(0, 7, applied, en)->text, "Switch DPI into the eight stage ()");
    EXPECT_EQ(n.OnDeviceStage(14, 0, applied, en),
              (Balloon{"Info", "The system detect QM517 Pro.", 100}));
    EXPECT_EQ(n.OnDeviceStage(15, 0, applied, en),
              (Balloon{"Warning", "The system did not detect QM517 Pro!", 100}));
    EXPECT_EQ(n.OnDeviceStage(4, 0, applied, en), std::nullopt);
    EXPECT_EQ(n.OnDeviceStage(16, 0, applied, en), std::nullopt);
}

// Collects reader notices; waits for them with a real-time limit (threads are involved).
struct Notices {
    std::mutex mutex;
    std::condition_variable arrived;
    std::vector<std::pair<int, int>> list;

    EventReader::Notice Sink() {
        return [this](int w, int l) {
            std::lock_guard lock(mutex);
            list.emplace_back(w, l);
            arrived.notify_all();
        };
    }
    bool WaitFor(size_t count) {
        std::unique_lock lock(mutex);
        return arrived.wait_for(lock, std::chrono::milliseconds(test::kPatienceMs), [&] { return list.size() >= count; });
    }
    std::vector<std::pair<int, int>> Get() {
        std::lock_guard lock(mutex);
        return list;
    }
};

TEST(EventReaders, StageReportsBecomeNoticesAndOthersAreIgnored) {
    test::DeviceRig rig;
    Notices notices;
    rig.devices.Plug(kA);
    rig.Discover();
    rig.link.StartReaders(notices.Sink());
    rig.devices.SendEventReport(kA, {0x05, 0x01, 0x00, 0x02});  // not a stage report
    rig.devices.SendEventReport(kA, {0x04, 0x01, 0x00});       // too short to carry one
    rig.devices.PressDpiButton(kA);                             // stage 0 -> 1
    ASSERT_TRUE(notices.WaitFor(1));
    rig.devices.PressDpiButton(kA);
    ASSERT_TRUE(notices.WaitFor(2));
    rig.link.StopReaders();
    EXPECT_EQ(notices.Get(), (std::vector<std::pair<int, int>>{{0, 1}, {0, 2}}));
}

TEST(EventReaders, GarbageAndShortEventsAreIgnored) {
    test::DeviceRig rig;
    Notices notices;
    VirtualFaults garbage;
    garbage.garbageEvents = true;
    VirtualFaults cut;
    cut.shortEvents = true;
    rig.devices.Plug(kA, 0, garbage);
    rig.devices.Plug(kB, 0, cut);
    rig.Discover();
    rig.link.StartReaders(notices.Sink());
    rig.devices.PressDpiButton(kB);  // its report is cut to 3 bytes
    rig.devices.PressDpiButton(kA);  // a wrong report comes first
    ASSERT_TRUE(notices.WaitFor(1));
    rig.link.StopReaders();
    EXPECT_EQ(notices.Get(), (std::vector<std::pair<int, int>>{{0, 1}}));
}

TEST(EventReaders, AMousePluggedInLaterIsReadAfterDiscovery) {
    test::DeviceRig rig;
    Notices notices;
    rig.Discover();
    rig.link.StartReaders(notices.Sink());
    rig.devices.Plug(kB);
    rig.Discover();  // signals the A1DC reader
    rig.devices.PressDpiButton(kB);
    ASSERT_TRUE(notices.WaitFor(1));
    EXPECT_EQ(notices.Get().front(), std::make_pair(1, 1));
    // Unplugged: the read ends without a notice; plugged again: read again.
    rig.devices.Unplug(kB);
    rig.Discover();
    rig.devices.Plug(kB);
    rig.Discover();
    rig.devices.PressDpiButton(kB);
    ASSERT_TRUE(notices.WaitFor(2));
    rig.link.StopReaders();
    EXPECT_EQ(notices.Get().size(), 2u);
}

TEST(EventReaders, StopEndsBlockedReadersAndReleasesTheirHandles) {
    test::DeviceRig rig;
    Notices notices;
    rig.devices.Plug(kA);
    rig.devices.Plug(kB);
    rig.Discover();
    rig.link.StartReaders(notices.Sink());
    rig.devices.WaitForBlockedReads(2);  // both readers wait in a read
    rig.link.StopReaders();
    rig.link.state.CloseAll();
    EXPECT_EQ(rig.devices.OpenHandles(), 0);
}

struct FakeWindow : DeviceWindowPort {
    std::vector<std::string> calls;
    void PostDeviceEvent(int w) override { calls.push_back("post " + std::to_string(w)); }
    void HideWindow() override { calls.push_back("hide"); }
    void AddTrayIcon() override { calls.push_back("tray+"); }
    void RemoveTrayIcon() override { calls.push_back("tray-"); }
    void SetDpiScale(int s) override { calls.push_back("scale " + std::to_string(s)); }
    void CheckFirmware() override { calls.push_back("firmware"); }
    void CloseMacroManager() override { calls.push_back("close macros"); }
    void PadPresenceChanged(bool p) override { calls.push_back(p ? "pad+" : "pad-"); }
};

struct DeviceChange : ::testing::Test {
    test::DeviceRig rig;
    FakeWindow window;
    DeviceChangeHandler handler{rig.link.discovery, rig.link.state, rig.link.device,
                                rig.settings, rig.files, rig.debug, window};

    void SetUp() override {
        test::WriteFile(rig.dir / "str.ini", "[Profile]\nCurProfileName=P\nItemCount=1\nItem0=P\n");
        SettingsRecord saved;
        ApplyFactoryDefaults(saved);
        saved[rec::kSensitivityX] = 9;
        saved[rec::kButtonKind + 6] = 11;  // a macro, whose name only the caption knows
        std::string file(1, '\x01');
        file.append(saved.bytes.begin(), saved.bytes.end());
        test::WriteFile(rig.dir / "config0.bin", file);
        test::WriteFile(rig.dir / "str0.ini", "[Setting-EN]\nItem7=Macro:Saved\n");
    }
    int Deliver() {
        int result = 1;
        for (const DeviceNotice& n : rig.devices.ReadNotices()) {
            result = handler.OnDeviceChange(n.event, n.deviceType, n.name) & result;
        }
        return result;
    }
};

TEST_F(DeviceChange, ArrivalOfAMouseReloadsTheProfile) {
    rig.settings.record[rec::kSensitivityX] = 2;  // an edit not yet applied
    rig.link.device.currentStage = 5;
    rig.devices.Plug(kA);
    rig.devices.ReadNotices();
    EXPECT_EQ(handler.OnDeviceChange(kDbtDeviceArrival, kDbtDevTypDeviceInterface,
                                     DeviceInterfaceName(0x04D9, 0xA11D, "x")),
              1);
    EXPECT_EQ(window.calls,
              (std::vector<std::string>{"post 14", "scale 0", "tray+", "firmware"}));
    EXPECT_EQ(rig.settings.record[rec::kSensitivityX], 9);
    EXPECT_EQ(rig.captions[6], "Macro:Saved");
    EXPECT_EQ(rig.link.device.currentStage, 0);
    EXPECT_EQ(rig.link.state.presentA, 1);
}

TEST_F(DeviceChange, RemovalOfTheLastMouseHidesEverything) {
    rig.devices.Plug(kA);
    rig.Discover();
    rig.devices.ReadNotices();
    rig.devices.Unplug(kA);
    Deliver();
    EXPECT_EQ(window.calls, (std::vector<std::string>{"post 15", "hide", "close macros", "tray-",
                                                      "post 15", "hide", "close macros", "tray-",
                                                      "post 15", "hide", "close macros", "tray-"}));
    EXPECT_TRUE(rig.debug.Contains("The system did not detect the QM517 Pro."));
}

TEST_F(DeviceChange, RemovalOfOneOfTwoMiceKeepsTheTray) {
    rig.devices.Plug(kA);
    rig.devices.Plug(kB);
    rig.Discover();
    rig.devices.ReadNotices();
    rig.devices.Unplug(kA);
    rig.devices.ReadNotices();
    handler.OnDeviceChange(kDbtDeviceRemoveComplete, kDbtDevTypDeviceInterface,
                           DeviceInterfaceName(0x04D9, 0xA11D, "x"));
    EXPECT_EQ(window.calls, (std::vector<std::string>{"tray+", "scale 1"}));
}

TEST_F(DeviceChange, ArrivalThatFindsNoMouse) {
    // A mouse whose command interface is missing counts as absent.
    VirtualFaults half;
    half.noCommandInterface = true;
    rig.devices.Plug(kA, 0, half);
    rig.devices.ReadNotices();
    handler.OnDeviceChange(kDbtDeviceArrival, kDbtDevTypDeviceInterface,
                           DeviceInterfaceName(0x04D9, 0xA11D, "x"));
    EXPECT_EQ(window.calls, (std::vector<std::string>{"hide", "tray-", "firmware"}));
}

TEST_F(DeviceChange, ThePadFollowsItsNotices) {
    rig.devices.Plug(kPad);
    Deliver();
    EXPECT_EQ(window.calls, std::vector<std::string>{"pad+"});
    rig.devices.Unplug(kPad);
    Deliver();
    EXPECT_EQ(window.calls, (std::vector<std::string>{"pad+", "pad-"}));
}

TEST_F(DeviceChange, OtherNoticesAreIgnored) {
    rig.devices.Plug(kA);
    rig.devices.ReadNotices();
    const std::string ours = DeviceInterfaceName(0x04D9, 0xA11D, "x");
    EXPECT_EQ(handler.OnDeviceChange(0x8001, kDbtDevTypDeviceInterface, ours), 1);
    EXPECT_EQ(handler.OnDeviceChange(kDbtDeviceArrival, 2, ours), 1);
    EXPECT_EQ(handler.OnDeviceChange(kDbtDeviceArrival, kDbtDevTypDeviceInterface,
                                     DeviceInterfaceName(0x046D, 0xC077, "x")),
              1);
    // The names are matched case-sensitively, in the two spellings Windows uses.
    EXPECT_EQ(handler.OnDeviceChange(kDbtDeviceArrival, kDbtDevTypDeviceInterface,
                                     "\\\\?\\hid#vid_04d9&pid_a11d#x"),
              1);
    EXPECT_TRUE(window.calls.empty());
    EXPECT_TRUE(NamesOurMouse("\\\\?\\HID#Vid_04d9&Pid_a1dc&Col02#x"));
    EXPECT_TRUE(NamesOurPad("\\\\?\\HID#VID_04D9&PID_A1C9#x"));
}

TEST(Hotplug, HidrawDevicePathsNameTheirDevice) {
    uint16_t vid = 0, pid = 0;
    std::string instance;
    ASSERT_TRUE(HidIdsFromDevpath(
        "/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.1/0003:04D9:A11D.0004/hidraw/hidraw3", vid,
        pid, instance));
    EXPECT_EQ(vid, 0x04D9);
    EXPECT_EQ(pid, 0xA11D);
    EXPECT_EQ(DeviceInterfaceName(vid, pid, instance),
              "\\\\?\\HID#VID_04D9&PID_A11D#0003:04D9:A11D.0004#{4d1e55b2-f16f-11cf-88cb-001111000030}");
    EXPECT_FALSE(HidIdsFromDevpath("/devices/virtual/misc/uhid", vid, pid, instance));
    EXPECT_FALSE(HidIdsFromDevpath("", vid, pid, instance));
}

}  // namespace
}  // namespace qm
