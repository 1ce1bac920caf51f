// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <thread>

#include "DeviceRig.h"
#include "platform/ProfileIni.h"
#include "platform/UploadLock.h"

namespace qm {
namespace {

using test::ToHex;

constexpr uint16_t kA = 0xA11D;
constexpr uint16_t kB = 0xA1DC;
constexpr uint16_t kPad = 0xA1C9;

struct UploadTest : ::testing::Test {
    test::DeviceRig rig;
    void SetUp() override {
        test::WriteFile(rig.dir / "str.ini", "[Profile]\nCurProfileName=P\nItemCount=1\nItem0=P\n");
    }
    // Every upload keeps the devices' pacing and sends only what they know.
    void TearDown() override { rig.ExpectCleanTraffic(); }
    int Saves() const {
        return static_cast<int>(std::count(rig.debug.Lines().begin(), rig.debug.Lines().end(),
                                           "Data num:1 BYTE -1884 BYTE\n Struct size:1884 BYTE"));
    }
};

TEST_F(UploadTest, OneMouseSleeps5350Ms) {
    rig.devices.Plug(kA);
    rig.Discover();
    ApplySettings(rig.context);
    EXPECT_EQ(rig.clock.TotalSleptMs(), 5350);
    rig.devices.Plug(kPad);
    rig.Discover();
    rig.clock.Clear();
    ApplySettings(rig.context);
    EXPECT_EQ(rig.clock.TotalSleptMs(), 5350 + 4 * 50);
}

TEST(UploadPacing, TheDevicesNoticeEveryPauseLeftOut) {
    // Each device alone, applied twice in a row: leaving out any one pause of the first
    // upload brings some report too soon.
    for (uint16_t device : {kA, kB, kPad}) {
        int sleeps = 0;
        {
            test::DeviceRig rig;
            rig.devices.Plug(device);
            rig.Discover();
            ApplySettings(rig.context);
            sleeps = rig.skippingClock.sleeps;
            ApplySettings(rig.context);
            rig.ExpectCleanTraffic();
        }
        ASSERT_GT(sleeps, 3);
        for (int skip = 0; skip < sleeps; ++skip) {
            test::DeviceRig rig;
            rig.devices.Plug(device);
            rig.Discover();
            rig.skippingClock.skip = skip;
            ApplySettings(rig.context);
            ApplySettings(rig.context);
            EXPECT_GT(rig.devices.TrafficErrors().pacingViolations, 0) << std::hex << device << std::dec << " pause " << skip;
        }
    }
}

TEST_F(UploadTest, TheMouseHoldsTheRecordAfterwards) {
    rig.devices.Plug(kA);
    rig.Discover();
    SettingsRecord& r = rig.settings.record;
    r[rec::kSensitivityX] = 3;
    r[rec::kStageEnabled + 2] = 0;
    r[rec::kLightEffect] = 2;
    r[rec::kLightColourIndex] = 5;
    for (size_t i = 0; i < rec::kMacroSlotSize * 2; ++i) {
        r[rec::kMacroSlots + i] = static_cast<uint8_t>(i + 1);
    }
    ApplySettings(rig.context);

    const VirtualMouseState m = rig.devices.MouseState(kA);
    EXPECT_EQ(m.checksumErrors, 0);
    EXPECT_EQ(m.protocolErrors, 0);
    EXPECT_EQ(m.interval, 2);
    EXPECT_EQ(ToHex(m.k), "11 22 33");  // sent back as the mouse reported them
    EXPECT_EQ(m.sensitivityX, 60);
    EXPECT_EQ(m.sensitivityY, 100);
    EXPECT_EQ(ToHex(m.stageColours.data(), 24),
              "FF 00 00 00 00 FF 00 FF 00 FF FF 00 00 FF FF FF 80 00 FF 00 FF 00 00 00");
    EXPECT_EQ(m.stageMask, 0xFB);
    EXPECT_EQ(ToHex(m.dpiCodes), "0B 17 2F 47 6B 8F B3");
    EXPECT_EQ(ToHex(m.buttonTable), test::kFactoryButtonTable);
    // Macro 0: its 130 bytes and the first 62 of macro 1.
    EXPECT_EQ(m.macros[0][0], 1);
    EXPECT_EQ(m.macros[0][129], 130);
    EXPECT_EQ(m.macros[0][130], 131);
    EXPECT_EQ(m.macros[0][191], 192);
    EXPECT_EQ(m.macros[11][0], 0);
    // Lighting: the selected colour, the mouse's own 21 bytes after it, zeros past 24.
    EXPECT_EQ(ToHex(m.lightColourBlock.data(), 6), "00 FF FF 13 14 15");
    EXPECT_EQ(m.lightColourBlock[23], 0x27);
    EXPECT_EQ(m.lightColourBlock[24], 0);
    EXPECT_EQ(m.lightColourBlock[63], 0);
    EXPECT_EQ(ToHex(m.lightEffect), "01 07 32 08 00 00");
    // Saved and committed.
    EXPECT_EQ(test::ReadFile(rig.dir / "config0.bin").substr(1),
              std::string(r.bytes.begin(), r.bytes.end()));
    EXPECT_EQ(rig.settings.appliedCopy, r);
}

TEST_F(UploadTest, TraceOfTheFirstStepsAndOfThePad) {
    rig.devices.Plug(kA);
    rig.devices.Plug(kPad);
    rig.Discover();
    ApplySettings(rig.context);
    const auto lines = rig.TraceLines();
    const std::vector<std::string> start(lines.begin(), lines.begin() + 9);
    EXPECT_EQ(start, (std::vector<std::string>{
                         "a11d SET_FEATURE 00 81 00 00 00 00 00 00 7e", "SLEEP 50",
                         "a11d GET_FEATURE 00 81 02 11 22 33 00 00 16", "SLEEP 50",
                         "a11d SET_FEATURE 00 01 02 11 22 33 00 00 96", "SLEEP 50",
                         "a11d SET_FEATURE 00 0b 64 64 00 00 00 00 2c", "SLEEP 50", "SLEEP 50"}));
    const std::vector<std::string> end(lines.end() - 10, lines.end());
    EXPECT_EQ(end, (std::vector<std::string>{
                       "pad SET_FEATURE 00 09 ff 00 00 ff ff 00 00", "SLEEP 50",
                       "pad SET_FEATURE 00 0a 00 ff 00 00 ff ff 00", "SLEEP 50",
                       "pad SET_FEATURE 00 0b ff 00 ff 00 ff ff 00", "SLEEP 50",
                       "pad SET_FEATURE 00 08 02 32 04 00 00 00 00", "SLEEP 50",
                       "pad GET_FEATURE 00 88 02 32 04 00 00 00 00",
                       "POINTER accel=0,0,0 speed=10 wheel=3 doubleclick=550"}));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "a11d SET_FEATURE 00 05 00 0b 03 00 00 00 ec"), 1);
}

TEST_F(UploadTest, BothMiceGetTheA11DValuesAndTheProfileIsSavedThreeTimes) {
    rig.devices.Plug(kA);
    rig.devices.Plug(kB);
    rig.Discover();
    ApplySettings(rig.context);
    EXPECT_EQ(ToHex(rig.devices.MouseState(kB).dpiCodes), "0B 17 2F 47 6B 8F B3");
    EXPECT_EQ(Saves(), 3);
    EXPECT_EQ(rig.clock.TotalSleptMs(), 2 * 5350);

    // With only the A1DC variant its own scale is sent.
    test::DeviceRig only;
    only.devices.Plug(kB);
    only.Discover();
    ApplySettings(only.context);
    EXPECT_EQ(ToHex(only.devices.MouseState(kB).dpiCodes), "04 09 13 27 3B 4F 77");
}

TEST_F(UploadTest, AMouseThatVanishesMidwayDoesNotStopTheSequence) {
    VirtualFaults vanish;
    vanish.vanishAfterOperations = 10;
    rig.devices.Plug(kA, 0, vanish);
    rig.devices.Plug(kB);
    rig.Discover();
    ApplySettings(rig.context);
    EXPECT_FALSE(rig.devices.IsPlugged(kA));
    EXPECT_GT(rig.link.transport.FailedTransfers(), 0);
    EXPECT_EQ(ToHex(rig.devices.MouseState(kB).buttonTable), test::kFactoryButtonTable);
    EXPECT_EQ(rig.settings.appliedCopy, rig.settings.record);
    EXPECT_TRUE(test::FileExists(rig.dir / "config0.bin"));
    // The pacing is kept for the reports that failed, too.
    EXPECT_EQ(rig.clock.TotalSleptMs(), 2 * 5350);
}

TEST_F(UploadTest, RepliesThatAnswerNothingAreUsedAsZerosAndReported) {
    VirtualFaults zeros;
    zeros.zeroReplies = true;
    rig.devices.Plug(kA, 0, zeros);
    rig.Discover();
    ApplySettings(rig.context);
    const VirtualMouseState m = rig.devices.MouseState(kA);
    EXPECT_EQ(ToHex(m.k), "00 00 00");
    EXPECT_EQ(m.currentStage, 0);
    EXPECT_EQ(ToHex(m.lightColourBlock.data(), 4), "FF FF 00 13");
    // A reply must name the command it answers: these three name none.
    const auto failures = FailuresByDevice(rig.link.transport.Failures());
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(DescribeFailure(failures[0]),
              "mouse A11D: 3 reports failed, the first in the report rate step (the reply to 81 (it answers 00))");
}

TEST_F(UploadTest, ABlockThatNeverComesIsGivenUp) {
    VirtualFaults silent;
    silent.neverAnswerBlocks = true;
    rig.devices.Plug(kA, 0, silent);
    rig.Discover();
    ApplySettings(rig.context);
    EXPECT_EQ(rig.link.transport.FailedTransfers(), 1);
    EXPECT_EQ(ToHex(rig.devices.MouseState(kA).lightColourBlock.data(), 4), "FF FF 00 00");
}

TEST_F(UploadTest, WithoutDevicesApplyStillSavesCommitsAndSetsThePointer) {
    rig.Discover();
    rig.settings.record[rec::kScrollOneScreen] = 1;
    rig.settings.record[rec::kEnhancePrecision] = 1;
    rig.settings.record[rec::kPointerSpeed] = 11;
    ApplySettings(rig.context);
    EXPECT_EQ(rig.TraceLines(),
              std::vector<std::string>{"POINTER accel=6,10,1 speed=20 wheel=4294967295 doubleclick=550"});
    EXPECT_EQ(Saves(), 1);
    EXPECT_EQ(rig.settings.appliedCopy, rig.settings.record);
}

TEST_F(UploadTest, UploadWithoutSavingLeavesTheProfilesAlone) {
    rig.devices.Plug(kA);
    rig.Discover();
    rig.context.saveProfile = false;
    ApplySettings(rig.context);
    EXPECT_EQ(Saves(), 0);
    EXPECT_FALSE(test::FileExists(rig.dir / "config0.bin"));
    EXPECT_EQ(ToHex(rig.devices.MouseState(kA).buttonTable), test::kFactoryButtonTable);
}

TEST_F(UploadTest, ResetKeepsProfileIndexAndMacrosAndSavesIntoTheCurrentProfile) {
    SettingsRecord base;
    base.bytes.fill(0x44);
    std::string baseFile(1, '\x01');
    baseFile.append(base.bytes.begin(), base.bytes.end());
    test::WriteFile(rig.dir / "config.bin", baseFile);
    test::WriteFile(rig.dir / "str.ini",
                    "[Profile]\nItemCount=3\n[Setting-EN]\nItem1=Click\nItem7=DPI -\n");
    rig.files.SetCurrentProfileNumber(2);
    SettingsRecord& r = rig.settings.record;
    r[rec::kProfileIndex] = 2;
    for (size_t i = 0; i < rec::kMacroSlotSize * rec::kMacroSlotCount; ++i) {
        r[rec::kMacroSlots + i] = static_cast<uint8_t>(i * 3);
    }
    const SettingsRecord before = r;
    rig.devices.Plug(kA);
    rig.Discover();
    ResetToDefaults(rig.context);

    SettingsRecord expected = base;
    ApplyFactoryDefaults(expected);
    expected[rec::kProfileIndex] = 2;
    std::copy_n(before.MacroSlot(0), rec::kMacroSlotSize * rec::kMacroSlotCount, expected.MacroSlot(0));
    EXPECT_EQ(r, expected);
    EXPECT_EQ(test::ReadFile(rig.dir / "config.bin"), baseFile);
    EXPECT_EQ(test::ReadFile(rig.dir / "config2.bin").substr(1),
              std::string(expected.bytes.begin(), expected.bytes.end()));
    EXPECT_EQ(ProfileIni::GetString(rig.dir / "str2.ini", "Setting-EN", "Item7"), "DPI -");
    EXPECT_EQ(ProfileIni::GetString(rig.dir / "str2.ini", "Setting-DE", "Item1"), "Klick");
    EXPECT_FALSE(rig.files.ResetInProgress());
    EXPECT_EQ(rig.settings.appliedCopy, expected);
    EXPECT_EQ(rig.devices.MouseState(kA).macros[1][0], rig.settings.record.MacroSlot(1)[0]);
}

// Another upload holds the pad's lock until told to let go.
struct OtherUpload {
    UploadLock lock;
    std::mutex mutex;
    std::condition_variable told;
    bool letGo = false;
    std::thread holder;

    explicit OtherUpload(VirtualClock& clock) {
        EXPECT_EQ(lock.Acquire({"pad"}, 0, {}, clock), "");
    }
    // Lets go from another thread, once told (by a waiter that has started to wait).
    void LetGoWhenTold() {
        holder = std::thread([this] {
            std::unique_lock guard(mutex);
            told.wait(guard, [this] { return letGo; });
            lock.Release();
        });
    }
    void Tell() {
        std::lock_guard guard(mutex);
        letGo = true;
        told.notify_all();
    }
    ~OtherUpload() {
        if (holder.joinable()) {
            Tell();
            holder.join();
        }
    }
};

TEST(UploadLock, AWaitEndsWhenTheOtherUploadLetsGoOrItsTimeOutHasPassed) {
    test::TempDir dir;
    test::ScopedEnv runtime("XDG_RUNTIME_DIR", dir.Path().c_str());
    VirtualClock virtualClock;
    RealClock realClock;
    struct Case {
        const char* what;
        Clock& clock;
        int timeoutMs;
        bool otherLetsGo;  // once the waiter has said it waits
        const char* busy;  // the device given up on ("": all locks taken)
        int waitingCalls;
    };
    const Case cases[] = {
        // On the virtual clock a time-out passes at once and moves the clock on.
        {"time-out, virtual clock", virtualClock, 60000, false, "pad", 1},
        {"no wait at all", virtualClock, 0, false, "pad", 0},
        {"no end, virtual clock", virtualClock, -1, true, "", 1},
        // An hour that cannot pass during the test: only the release ends the wait.
        {"time-out, real clock", realClock, 3600000, true, "", 1},
        {"no end, real clock", realClock, -1, true, "", 1},
    };
    for (const Case& c : cases) {
        OtherUpload other(virtualClock);
        if (c.otherLetsGo) {
            other.LetGoWhenTold();
        }
        const uint32_t before = virtualClock.TickCount();
        UploadLock lock;
        std::vector<std::string> waitedFor;
        const std::string busy = lock.Acquire({"a11d", "pad"}, c.timeoutMs, [&](const std::string& device) {
            waitedFor.push_back(device);
            if (c.otherLetsGo) {
                other.Tell();
            }
        }, c.clock);
        EXPECT_EQ(busy, c.busy) << c.what;
        EXPECT_EQ(static_cast<int>(waitedFor.size()), c.waitingCalls) << c.what;
        if (c.waitingCalls > 0) {
            EXPECT_EQ(waitedFor[0], "pad") << c.what;
        }
        EXPECT_EQ(virtualClock.TickCount() - before, &c.clock == &virtualClock && c.timeoutMs > 0 ? 60000u : 0u)
            << c.what;
        EXPECT_TRUE(virtualClock.Sleeps().empty()) << c.what << ": a wait is no pause of the protocol";
        // Given up, it holds nothing; done, it holds both until it lets go.
        UploadLock probe;
        EXPECT_EQ(probe.Acquire({"a11d"}, 0, {}, virtualClock), std::string(c.busy).empty() ? "a11d" : "") << c.what;
    }
}

}  // namespace
}  // namespace qm
