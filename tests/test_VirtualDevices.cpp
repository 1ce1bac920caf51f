// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "DeviceRig.h"

namespace qm {
namespace {

constexpr uint16_t kA = 0xA11D;
constexpr uint16_t kPad = 0xA1C9;

// The virtual devices refuse and count what hardware would not take, so that a test of
// the program cannot pass on traffic a real mouse would reject.
struct Strictness : ::testing::Test {
    test::DeviceRig rig;
    HidInterfaceInfo Interface(uint16_t productId, const char* role) {
        for (const HidInterfaceInfo& info : rig.devices.Enumerate()) {
            if (info.productId == productId && info.path.ends_with(role)) {
                return info;
            }
        }
        ADD_FAILURE() << "no interface " << role;
        return {};
    }
    std::unique_ptr<HidHandle> Open(uint16_t productId, const char* role, HidAccess access = HidAccess::kReadWrite) {
        int error = 0;
        return rig.devices.Open(Interface(productId, role), access, &error);
    }
    static std::vector<uint8_t> Frame(std::initializer_list<uint8_t> bytes, bool checksum = true) {
        std::vector<uint8_t> report(9, 0);
        std::copy(bytes.begin(), bytes.end(), report.begin() + 1);
        if (checksum) {
            unsigned sum = 0;
            for (int i = 1; i < 8; ++i) {
                sum += report[static_cast<size_t>(i)];
            }
            report[8] = static_cast<uint8_t>(0xFF - (sum & 0xFF));
        }
        return report;
    }
};

TEST_F(Strictness, ReportsHardwareWouldRefuse) {
    rig.devices.Plug(kA);
    rig.devices.Plug(kPad);
    auto command = Open(kA, "/command");
    auto readOnly = Open(kA, "/command", HidAccess::kRead);
    auto pad = Open(kPad, "/pad");
    std::vector<uint8_t> report = Frame({0x81});
    std::vector<uint8_t> longer(16, 0);
    std::vector<uint8_t> block(65, 0);
    std::vector<uint8_t> shortBlock(64, 0);
    struct Case {
        const char* what;
        std::function<bool()> send;
    };
    const Case cases[] = {
        {"a feature report of 8 bytes", [&] { return command->SetFeature(report.data(), 8); }},
        {"a feature report of 16 bytes", [&] { return command->SetFeature(longer.data(), 16); }},
        {"a feature read of 16 bytes", [&] { return command->GetFeature(longer.data(), 16) >= 0; }},
        {"a pad feature report of 16 bytes", [&] { return pad->SetFeature(longer.data(), 16); }},
        {"a block of 64 bytes", [&] { return command->Write(shortBlock.data(), 64); }},
        {"a feature report on a handle opened for reading", [&] { return readOnly->SetFeature(report.data(), 9); }},
        {"a block on a handle opened for reading", [&] { return readOnly->Write(block.data(), 65); }},
    };
    int refused = 0;
    for (const Case& c : cases) {
        rig.clock.Sleep(1000);  // well paced: only the report itself is wrong
        EXPECT_FALSE(c.send()) << c.what;
        EXPECT_EQ(rig.devices.TrafficErrors().refusedReports, ++refused) << c.what;
    }
    EXPECT_EQ(rig.devices.TrafficErrors().pacingViolations, 0);
    rig.devices.ClearTrafficErrors();
}

TEST_F(Strictness, UnknownCommandsAreCountedAndIgnored) {
    rig.devices.Plug(kA);
    rig.devices.Plug(kPad);
    auto command = Open(kA, "/command");
    auto pad = Open(kPad, "/pad");
    const VirtualMouseState before = rig.devices.MouseState(kA);
    std::vector<uint8_t> unknown = Frame({0x42, 1, 2, 3});
    EXPECT_TRUE(command->SetFeature(unknown.data(), 9));  // the firmware takes it and does nothing
    rig.clock.Sleep(50);
    std::vector<uint8_t> padUnknown = Frame({0x17, 1, 2}, false);
    EXPECT_TRUE(pad->SetFeature(padUnknown.data(), 9));
    const VirtualTrafficErrors errors = rig.devices.TrafficErrors();
    EXPECT_EQ(errors.unknownCommands, 2);
    EXPECT_EQ(errors.details, (std::vector<std::string>{"a11d: unknown command 42", "pad: unknown pad command 17"}));
    EXPECT_EQ(rig.devices.MouseState(kA).buttonTable, before.buttonTable);
    rig.devices.ClearTrafficErrors();
}

TEST_F(Strictness, ALightingReadOfNoBlocksGetsNoBlock) {
    rig.devices.Plug(kA);
    auto command = Open(kA, "/command");
    std::vector<uint8_t> in(65, 0);
    for (uint8_t blocks : {0, 1}) {
        std::vector<uint8_t> read = Frame({0x8C, 0, 0, blocks});
        ASSERT_TRUE(command->SetFeature(read.data(), 9));
        rig.clock.Sleep(50);
        EXPECT_EQ(command->Read(in.data(), 65, 10), blocks == 0 ? 0 : 65) << int{blocks};
        rig.clock.Sleep(100);
    }
    rig.ExpectCleanTraffic();
}

TEST_F(Strictness, AReportTooSoonIsAPacingViolation) {
    rig.devices.Plug(kA);
    auto command = Open(kA, "/command");
    std::vector<uint8_t> sensitivity = Frame({0x0B, 60, 60});
    std::vector<uint8_t> read = Frame({0x81});
    ASSERT_TRUE(command->SetFeature(sensitivity.data(), 9));
    rig.clock.Sleep(50);  // the sensitivity needs 100 ms
    ASSERT_TRUE(command->SetFeature(read.data(), 9));
    const VirtualTrafficErrors errors = rig.devices.TrafficErrors();
    EXPECT_EQ(errors.pacingViolations, 1);
    EXPECT_EQ(errors.details, std::vector<std::string>{"a11d: SET_FEATURE (report 2) came 50 ms too soon"});
    rig.devices.ClearTrafficErrors();
}

TEST(FaultOption, ParsesDevicesFaultsAndCounts) {
    // Faults of one device add up.
    {
        std::map<uint16_t, VirtualFaults> faults;
        uint16_t productId = 0;
        std::string error;
        ASSERT_TRUE(ParseFault("a11d:short-read", faults, productId, error));
        ASSERT_TRUE(ParseFault("a11d:vanish-after=9", faults, productId, error));
        EXPECT_TRUE(faults[0xA11D].shortReads);
        EXPECT_EQ(faults[0xA11D].vanishAfterOperations, 9);
    }
    struct Case {
        const char* text;
        bool ok;
        uint16_t productId;
        std::function<bool(const VirtualFaults&)> check;
    };
    const Case cases[] = {
        {"a11d:vanish-after=20", true, 0xA11D, [](const VirtualFaults& f) { return f.vanishAfterOperations == 20; }},
        {"pad:refuse-open", true, 0xA1C9, [](const VirtualFaults& f) { return f.refuseOpen; }},
        {"a1dc:short-read", true, 0xA1DC, [](const VirtualFaults& f) { return f.shortReads && f.faultAfter == 0; }},
        {"a1dc:stall=7", true, 0xA1DC, [](const VirtualFaults& f) { return f.stall && f.faultAfter == 7; }},
        {"a11d:garbage-reply", true, 0xA11D, [](const VirtualFaults& f) { return f.garbageReplies; }},
        {"pad:eio=3", true, 0xA1C9, [](const VirtualFaults& f) { return f.eio && f.faultAfter == 3; }},
        {"mouse:eio", false, 0, {}},
        {"a11d", false, 0, {}},
        {"a11d:melt", false, 0, {}},
        {"a11d:vanish-after", false, 0, {}},
        {"a11d:vanish-after=-1", false, 0, {}},
        {"a11d:eio=", false, 0, {}},
        {"a11d:eio=99999999999", false, 0, {}},
        {"a11d:refuse-open=2", false, 0, {}},
    };
    for (const Case& c : cases) {
        uint16_t productId = 0;
        std::map<uint16_t, VirtualFaults> faults;
        std::string error;
        EXPECT_EQ(ParseFault(c.text, faults, productId, error), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(productId, c.productId) << c.text;
            ASSERT_EQ(faults.size(), 1u) << c.text;
            EXPECT_TRUE(c.check(faults[c.productId])) << c.text;
        } else {
            EXPECT_NE(error.find(std::string("--fault ") + c.text), std::string::npos) << error;
        }
    }
}

}  // namespace
}  // namespace qm
