// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "TestUtil.h"
#include "macros/MacroCompiler.h"

namespace qm {
namespace {

using test::Hex;
using test::ToHex;
using test::WriteFile;

// A store with the given macros, each written as its section lines.
std::string Store(const std::vector<std::pair<std::string, std::string>>& macros) {
    std::string text = "[MacroName]\nMacroCount=" + std::to_string(macros.size()) + "\n";
    for (size_t i = 0; i < macros.size(); ++i) {
        text += std::to_string(i) + "=" + macros[i].first + "\n";
    }
    for (const auto& [name, body] : macros) {
        text += "[" + name + "]\n" + body;
    }
    return text;
}

std::string Items(const std::vector<std::string>& items, const char* loop = "1") {
    std::string text = std::string("MacroLoopTimes=") + loop + "\nItemCount=" +
                       std::to_string(items.size()) + "\n";
    for (size_t i = 0; i < items.size(); ++i) {
        text += "Item" + std::to_string(i) + "=" + items[i] + "\n";
    }
    return text;
}

// 32 press/release pairs of A: the first press, then 63 further events.
std::vector<std::string> ManyEvents() {
    std::vector<std::string> items;
    for (int i = 0; i < 32; ++i) {
        items.push_back("A   Dn");
        items.push_back("B   Up");
    }
    return items;
}

struct Compiler : ::testing::Test {
    test::TempDir dir;
    std::string path = dir / "record.ini";
    MacroStore store{path};
    SettingsRecord record;
    CapturedDebugOutput debug;

    void SetUp() override { record.bytes.fill(0xCC); }
    std::string Slot(size_t m, size_t from = 0, size_t count = rec::kMacroSlotSize) const {
        return ToHex(record.MacroSlot(m) + from, count);
    }
};

std::string Zeros(size_t n) {
    return ToHex(std::vector<uint8_t>(n, 0));
}

TEST_F(Compiler, PressDelayReleaseOfA) {
    WriteFile(path, Store({{"Macro_1", Items({"A   Dn", "50 ms", "A   Up"})}}));
    CompileMacros(store, record, debug);
    EXPECT_EQ(Slot(0, 0, 8), "00 01 05 04 FF 04 00 32");
    EXPECT_EQ(Slot(0, 8, 120), Zeros(120));
    EXPECT_EQ(Slot(0, 128, 2), "CC CC");  // no 32nd event: bytes 128..129 are not written
    EXPECT_EQ(debug.Lines(), std::vector<std::string>{"Macro_1"});

    const auto slots = OnBnMacroSave(store, 1, 0, debug);
    ASSERT_TRUE(slots);
    EXPECT_EQ(ToHex((*slots)[0].data(), 8), "00 01 32 04 FF 04 00 32");
    EXPECT_EQ(ToHex((*slots)[0].data() + 8, 500), Zeros(500));
    EXPECT_TRUE(debug.Contains("OnBnMacroSave m_lbSelMacro.GetCount()=1,m_lbSelMacro.GetCurSel()=0\n"));
}

TEST_F(Compiler, PausesComeFromTheItemBefore) {
    WriteFile(path, Store({{"M", Items({"A   Dn", "5 ms", "A   Up", "B   Dn", "70000 ms",
                                        "B   Up", "note", "C   Dn", "0 ms", "L-Button   Up"},
                                       "300")}}));
    CompileMacros(store, record, debug);
    EXPECT_EQ(Slot(0, 0, 24),
              "01 2C 05 04 "    // loop 300, first press A
              "FF 04 00 0A "    // 5 ms becomes 10
              "7F 05 00 32 "    // after a key item: 50
              "FF 05 11 70 "    // 70000 keeps its low 16 bits
              "7F 06 00 32 "    // after an item without "ms": 50
              "FF F0 00 0A");   // "0 ms" becomes 10; L-Button is usage 240
}

TEST_F(Compiler, LoopCountsOutOfRangeBecomeOne) {
    for (const char* loop : {"0", "-3", "65536", "abc", ""}) {
        WriteFile(path, Store({{"M", Items({"A   Dn"}, loop)}}));
        CompileMacros(store, record, debug);
        EXPECT_EQ(Slot(0, 0, 4), "00 01 05 04") << loop;
    }
}

TEST_F(Compiler, The32ndFurtherEventKeepsOnlyMarkerAndUsageInTheRecordSlot) {
    WriteFile(path, Store({{"M", Items(ManyEvents())}}));
    CompileMacros(store, record, debug);
    EXPECT_EQ(Slot(0, 120, 10), "7F 04 00 32 FF 05 00 32 7F 04");
    // Nothing beyond the slot: slot 1 is untouched.
    EXPECT_EQ(Slot(1), ToHex(std::vector<uint8_t>(130, 0xCC)));

    const auto slots = OnBnMacroSave(store, 1, 0, debug);
    ASSERT_TRUE(slots);
    // The manager's 508-byte slot holds the whole 32nd event and the ones after it.
    EXPECT_EQ(ToHex((*slots)[0].data() + 124, 12), "FF 05 00 32 7F 04 00 32 FF 05 00 32");
    // 63 further events end at byte 255.
    EXPECT_EQ(ToHex((*slots)[0].data() + 252, 8), "FF 05 00 32 00 00 00 00");
    CopyCompileSlots(*slots, record);
    EXPECT_EQ(Slot(0, 126, 4), "00 32 7F 04");
    EXPECT_EQ(Slot(1), Zeros(130));
}

TEST_F(Compiler, AMacroThatStartsWithoutAPressStartsAtByte2) {
    record.MacroSlot(0)[40] = 0x77;  // left over from an older macro
    WriteFile(path, Store({{"M", Items({"20 ms", "A   Dn", "A   Up"})}}));
    CompileMacros(store, record, debug);
    EXPECT_EQ(Slot(0, 0, 10), "00 01 7F 04 00 14 FF 04 00 32");
    EXPECT_EQ(Slot(0, 10, 118), Zeros(118));

    const auto slots = OnBnMacroSave(store, 1, 0, debug);
    EXPECT_EQ(ToHex((*slots)[0].data(), 10), "00 01 7F 04 00 14 FF 04 00 32");
}

TEST_F(Compiler, LongMacrosWithoutAFirstPressStayInsideTheSlot) {
    std::vector<std::string> items = ManyEvents();
    items.insert(items.begin(), "Up   Up");
    WriteFile(path, Store({{"M", Items(items)}}));
    CompileMacros(store, record, debug);
    EXPECT_EQ(Slot(0, 122, 8), "FF 05 00 32 7F 04 00 32");
    EXPECT_EQ(Slot(1), ToHex(std::vector<uint8_t>(130, 0xCC)));
    std::vector<std::string> huge;
    for (int i = 0; i < 300; ++i) {
        huge.push_back("Z   Dn");
    }
    WriteFile(path, Store({{"M", Items(huge)}}));
    const auto slots = OnBnMacroSave(store, 1, 0, debug);
    ASSERT_TRUE(slots);
    EXPECT_EQ(ToHex((*slots)[0].data() + 500, 8), "7F 1D 00 32 7F 1D 00 32");
}

TEST_F(Compiler, AMacroWithoutItemsClearsItsDataButNotBytes128And129) {
    WriteFile(path, Store({{"Empty", "MacroLoopTimes=5\nItemCount=0\n"}}));
    CompileMacros(store, record, debug);
    EXPECT_EQ(Slot(0, 0, 128), Zeros(128));
    EXPECT_EQ(Slot(0, 128, 2), "CC CC");
    const auto slots = OnBnMacroSave(store, 1, 0, debug);
    EXPECT_EQ(ToHex((*slots)[0]), Zeros(508));
}

TEST_F(Compiler, SlotsPastTheStoredMacros) {
    WriteFile(path, Store({{"One", Items({"A   Dn"})}}));
    CompileMacros(store, record, debug);
    for (size_t m = 1; m < 12; ++m) {
        EXPECT_EQ(Slot(m), ToHex(std::vector<uint8_t>(130, 0xCC))) << m;
    }
    const auto slots = OnBnMacroSave(store, 1, 0, debug);
    for (size_t m = 1; m < 12; ++m) {
        EXPECT_EQ(ToHex((*slots)[m]), Zeros(508)) << m;
    }
}

TEST_F(Compiler, AtMostTwelveMacrosAndAbsurdCountsAreHarmless) {
    std::vector<std::pair<std::string, std::string>> macros;
    macros.emplace_back("M0", "MacroLoopTimes=1\nItemCount=99999999\nItem0=A   Dn\n");
    for (int i = 1; i < 14; ++i) {
        macros.emplace_back("M" + std::to_string(i), Items({"A   Dn"}, std::to_string(i + 1).c_str()));
    }
    std::string text = Store(macros);
    text.replace(text.find("MacroCount=14"), 13, "MacroCount=99999999");
    WriteFile(path, text);
    CompileMacros(store, record, debug);
    EXPECT_EQ(Slot(0, 0, 6), "00 01 05 04 00 00");
    EXPECT_EQ(Slot(11, 0, 4), "00 0C 05 04");
    EXPECT_EQ(debug.Lines().size(), 12u);
}

TEST_F(Compiler, AListedMacroWithoutANameKeyHasItsSlotCleared) {
    // "MacroCount=2" with only the key 0: position 1 is a macro with an empty name, whose
    // section reads as empty values, so its slot is cleared; no older macro stays there.
    WriteFile(path, "[MacroName]\nMacroCount=2\n0=M\n[M]\n" + Items({"A   Dn"}));
    CompileMacros(store, record, debug);
    EXPECT_EQ(Slot(0, 0, 4), "00 01 05 04");
    EXPECT_EQ(Slot(1, 0, 128), Zeros(128));
    EXPECT_EQ(Slot(1, 128, 2), "CC CC");  // the loaded compile clears bytes 0..127 only
    EXPECT_EQ(Slot(2, 0, 2), "CC CC");    // positions past the list keep their contents
}

TEST_F(Compiler, WithoutAStoreNothingIsCompiled) {
    const SettingsRecord before = record;
    CompileMacros(store, record, debug);
    EXPECT_EQ(record, before);
    EXPECT_EQ(OnBnMacroSave(store, 1, 0, debug), std::nullopt);
    WriteFile(path, Store({{"M", Items({"A   Dn"})}}));
    EXPECT_EQ(OnBnMacroSave(store, 0, -1, debug), std::nullopt);
}

}  // namespace
}  // namespace qm
