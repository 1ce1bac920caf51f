// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "DeviceRig.h"

namespace qm {
namespace {

constexpr uint16_t kA = 0xA11D;
constexpr uint16_t kB = 0xA1DC;
constexpr uint16_t kPad = 0xA1C9;

struct DiscoveryTest : ::testing::Test {
    test::DeviceRig rig;
    DiscoveryState& state = rig.link.state;
};

TEST_F(DiscoveryTest, FindsBothMiceAndThePad) {
    rig.devices.Plug(kA, 0x0302);
    rig.devices.Plug(kB, 0x0107);
    rig.devices.Plug(kPad);
    rig.Discover();
    EXPECT_EQ(state.presentA, 1);
    EXPECT_EQ(state.presentB, 1);
    EXPECT_EQ(state.presentP, 1);
    EXPECT_EQ(state.versionA, 0x0302);
    EXPECT_EQ(state.versionB, 0x0107);
    EXPECT_EQ(state.featureLength, 9);
    EXPECT_EQ(state.eventInputLengthA, 8);
    EXPECT_TRUE(state.CommandHandle(MouseVariant::kA11D));
    EXPECT_TRUE(state.EventHandle(MouseVariant::kA1DC));
    EXPECT_TRUE(state.PadHandle());
    EXPECT_TRUE(rig.debug.Contains("PID:a11d,VID:04d9,VersionNumber:0302\n"));
    EXPECT_TRUE(rig.debug.Contains("Find our hid device.Success\n"));
    EXPECT_TRUE(rig.debug.Contains("Find our pad hid device.Success\n"));
    EXPECT_TRUE(rig.debug.Contains(
        "DevicePath:virtual/a11d/command,Usage:0x0001,UsagePage:0xff01,"
        "FeatureReportByteLength:0x0009,InputReportByteLength:0x41,OutputReportByteLength:0x41\n"));
}

TEST_F(DiscoveryTest, NothingPresent) {
    rig.Discover();
    EXPECT_EQ(state.presentA, 0);
    EXPECT_EQ(state.presentB, 0);
    EXPECT_EQ(state.presentP, 0);
    EXPECT_TRUE(rig.debug.Contains("SetupDiEnumDeviceInterfaces failed.\n"));
}

TEST_F(DiscoveryTest, WithBothMiceTheLengthsAreThoseOfA1DC) {
    VirtualFaults longer;
    longer.blockReportLength = 129;
    rig.devices.Plug(kA);
    rig.devices.Plug(kB, 0, longer);
    rig.Discover();
    EXPECT_EQ(state.inputLength, 129);
    EXPECT_EQ(state.outputLength, 129);
}

TEST_F(DiscoveryTest, InterfacesThatDoNotQualify) {
    struct Case {
        const char* what;
        VirtualFaults faults;
    };
    std::vector<Case> cases(3);
    cases[0].what = "event interface only";
    cases[0].faults.noCommandInterface = true;
    cases[1].what = "8-byte feature reports";
    cases[1].faults.featureLength8 = true;
    cases[2].what = "no permission";
    cases[2].faults.refuseOpen = true;
    for (const auto& c : cases) {
        test::DeviceRig r;
        r.devices.Plug(kA, 0, c.faults);
        r.devices.Plug(kB);
        r.Discover();
        EXPECT_EQ(r.link.state.presentA, 0) << c.what;
        EXPECT_EQ(r.link.state.presentB, 1) << c.what;  // the walk went on
    }
}

TEST_F(DiscoveryTest, RefusedInterfacesAreRemembered) {
    VirtualFaults refuse;
    refuse.refuseOpen = true;
    rig.devices.Plug(kA, 0, refuse);
    rig.Discover();
    ASSERT_FALSE(state.refused.empty());
    EXPECT_EQ(state.refused.front().productId, kA);
    // A later discovery that can open it forgets the refusal.
    rig.devices.Unplug(kA);
    rig.devices.Plug(kA);
    rig.Discover();
    EXPECT_TRUE(state.refused.empty());
    EXPECT_EQ(state.presentA, 1);
}

TEST_F(DiscoveryTest, AnInterfaceThatCannotBeQueriedIsSkipped) {
    VirtualFaults refuse;
    refuse.refuseQuery = true;
    rig.devices.Plug(kA, 0, refuse);
    rig.devices.Plug(kB);
    rig.devices.Plug(kPad);
    rig.Discover();
    EXPECT_EQ(state.presentA, 0);
    EXPECT_EQ(state.presentB, 1);
    EXPECT_EQ(state.presentP, 1);
}

TEST_F(DiscoveryTest, AFailedRoutineKeepsTheOldHandleAndClearsTheFlag) {
    rig.devices.Plug(kA);
    rig.Discover();
    const auto handle = state.CommandHandle(MouseVariant::kA11D);
    rig.devices.Unplug(kA);
    rig.Discover();
    EXPECT_EQ(state.presentA, 0);
    EXPECT_EQ(state.CommandHandle(MouseVariant::kA11D), handle);
    rig.devices.Plug(kA);
    rig.Discover();
    EXPECT_NE(state.CommandHandle(MouseVariant::kA11D), handle);
    EXPECT_EQ(state.presentA, 1);
}

struct FakeFirmwarePort : FirmwarePort {
    bool updaterWindow = false;
    bool answer = true;
    std::vector<std::string> calls;
    bool WindowExists(const std::string& title) override {
        calls.push_back("find " + title);
        return updaterWindow;
    }
    bool AskToUpdateFirmware(const std::string& caption, const std::string& text) override {
        calls.push_back("ask " + caption);
        EXPECT_EQ(text,
                  "鼠标固件版本过低，请更新固件后重新打开驱动继续使用。\n\"是\"更新固件，\"否\"退出程序。");
        return answer;
    }
    void StartFirmwareUpdate() override { calls.push_back("update"); }
    void Quit() override { calls.push_back("quit"); }
};

TEST(FirmwareCheck, VersionLimits) {
    struct Case {
        int a, b;  // presence
        uint16_t versionA, versionB;
        bool tooOld;
    };
    const Case cases[] = {
        {1, 0, 0x0301, 0, true},  {1, 0, 0x0302, 0, false}, {1, 0, 0x0001, 0, true},
        {1, 0, 0x0000, 0, false}, {0, 1, 0, 0x0106, true},  {0, 1, 0, 0x0107, false},
        {1, 1, 0x0100, 0x0107, false},  // A1DC decides when both are present
        {1, 1, 0x0900, 0x0100, true},   {0, 0, 0x0100, 0x0100, false},
    };
    for (const auto& c : cases) {
        DiscoveryState s;
        s.presentA = c.a;
        s.presentB = c.b;
        s.versionA = c.versionA;
        s.versionB = c.versionB;
        EXPECT_EQ(FirmwareTooOld(s), c.tooOld) << std::hex << c.versionA << "/" << c.versionB;
    }
}

TEST(FirmwareCheck, PromptStartsTheUpdaterUnlessNoAndQuitsEitherWay) {
    DiscoveryState s;
    s.presentA = 1;
    s.versionA = 0x0100;
    FakeFirmwarePort yes;
    CheckFirmware(s, yes);
    EXPECT_EQ(yes.calls, (std::vector<std::string>{"find Programmer V1.0.0", "ask QM517 Pro",
                                                   "update", "quit"}));
    FakeFirmwarePort no;
    no.answer = false;
    CheckFirmware(s, no);
    EXPECT_EQ(no.calls.back(), "quit");
    EXPECT_EQ(std::count(no.calls.begin(), no.calls.end(), "update"), 0);
    FakeFirmwarePort running;
    running.updaterWindow = true;
    CheckFirmware(s, running);
    EXPECT_EQ(running.calls, std::vector<std::string>{"find Programmer V1.0.0"});
}

}  // namespace
}  // namespace qm
