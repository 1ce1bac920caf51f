// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "TestUtil.h"
#include "device/DeviceEncodings.h"
#include "model/ButtonCatalogue.h"

namespace qm {
namespace {

using test::ToHex;

struct Encodings : ::testing::Test {
    SettingsRecord record;
    DeviceState state;
    void SetUp() override { ApplyFactoryDefaults(record); }
};

TEST_F(Encodings, FactoryButtonTable) {
    BuildButtonTable(record, state);
    EXPECT_EQ(ToHex(ButtonTableBlock(state)), test::kFactoryButtonTable);
}

TEST_F(Encodings, ButtonCodeOfEveryKind) {
    struct Case {
        uint8_t kind;
        size_t array;
        uint8_t value;
        const char* wire;
    };
    const Case cases[] = {
        {0, 0, 0, "00 F0 00 02"},           {1, 0, 0, "00 F1 00 02"},
        {2, 0, 0, "00 F2 00 02"},           {3, 0, 0, "00 F4 00 02"},
        {4, 0, 0, "00 F3 00 02"},           {5, 0, 0, "02 F0 01 0C"},
        {6, rec::kDpiAction, 3, "00 00 03 08"},
        {7, rec::kMediaKey, 0x83, "01 83 00 04"},
        {7, rec::kMediaKey, 0xE9, "00 E9 00 04"},
        {8, rec::kShortcutKey, 0x1D, "00 1D E0 01"},
        {9, rec::kSystemCommand, 0, "01 94 00 04"}, {9, rec::kSystemCommand, 1, "02 23 00 04"},
        {9, rec::kSystemCommand, 2, "02 21 00 04"}, {9, rec::kSystemCommand, 3, "1B 2C E2 01"},
        {9, rec::kSystemCommand, 4, "11 2C E2 01"}, {9, rec::kSystemCommand, 5, "00 07 E3 01"},
        {9, rec::kSystemCommand, 6, "00 15 E3 01"}, {9, rec::kSystemCommand, 7, "00 00 00 00"},
        {10, rec::kKeyUsage, 0x3E, "00 3E 00 01"},
        {12, 0, 0, "00 00 00 00"},          {13, 0, 0, "00 00 00 00"},
        {14, 0, 0, "00 00 00 00"},          {15, 0, 0, "00 F5 00 02"},
        {16, 0, 0, "00 F6 00 02"},          {17, 0, 0, "00 00 04 0C"},
        {18, 0, 0, "00 07 02 0C"},          {19, 0, 0, "00 00 00 00"},
        {255, 0, 0, "00 00 00 00"},
    };
    for (const auto& c : cases) {
        SettingsRecord r = record;
        r[rec::kButtonKind + 2] = c.kind;
        if (c.array != 0) {
            r[c.array + 2] = c.value;
        }
        EXPECT_EQ(ToHex(EncodeButton(r, 2)), c.wire) << "kind " << int{c.kind};
    }
}

TEST_F(Encodings, MacroButtonsCarryNumberAndRunModeCode) {
    record[rec::kButtonKind + 1] = kKindMacro;
    record[rec::kMacroNumber + 1] = 11;
    const std::pair<uint8_t, const char*> modes[] = {
        {0, "0B 01 00 0A"}, {1, "0B 03 00 0A"}, {2, "0B 02 00 0A"}, {7, "0B 07 00 0A"}};
    for (const auto& [mode, wire] : modes) {
        record[rec::kMacroRunMode + 1] = mode;
        EXPECT_EQ(ToHex(EncodeButton(record, 1)), wire) << int{mode};
    }
}

TEST_F(Encodings, Slots3And4TradePlacesAndSlot7IsNeverSent) {
    record[rec::kButtonKind + 3] = kKindForward;
    record[rec::kButtonKind + 4] = kKindBack;
    record[rec::kButtonKind + 7] = kKindLeftClick;
    BuildButtonTable(record, state);
    EXPECT_EQ(ToHex(state.buttonTable[3]), "00 F3 00 02");
    EXPECT_EQ(ToHex(state.buttonTable[4]), "00 F4 00 02");
    EXPECT_EQ(ToHex(state.buttonTable[7]), "00 00 03 0C");
}

TEST_F(Encodings, DpiStagesUseTheSetOfThePresentMouse) {
    EXPECT_EQ(ToHex(DpiStagesFrame07(record, true, 2)), "07 02 FF 0B 17 2F 47 00");
    EXPECT_EQ(ToHex(DpiStagesFrame08(record, true)), "08 6B 8F B3 00 00 00 00");
    EXPECT_EQ(ToHex(DpiStagesFrame07(record, false, 0)), "07 00 FF 04 09 13 27 00");
    EXPECT_EQ(ToHex(DpiStagesFrame08(record, false)), "08 3B 4F 77 00 00 00 00");

    record[rec::kStageEnabled + 1] = 0;
    record[rec::kStageEnabled + 6] = 0;
    record[rec::kStageEnabled + 7] = 1;  // stage 8 is not part of the mask
    record[rec::kDpiValueA] = 0;
    EXPECT_EQ(ToHex(DpiStagesFrame07(record, true, 6)), "07 06 BD FF 17 2F 47 00");
}

TEST_F(Encodings, StageColoursSensitivityAndInterval) {
    EXPECT_EQ(ToHex(StageColourBlock(record)).substr(0, 62),
              "FF 00 00 00 00 FF 00 FF 00 FF FF 00 00 FF FF FF 80 00 FF 00 FF");
    const Block colours = StageColourBlock(record);
    for (size_t i = 21; i < colours.size(); ++i) {
        EXPECT_EQ(colours[i], 0) << i;  // stage 8 is never sent
    }

    EXPECT_EQ(ToHex(SensitivityFrame(record)), "0B 64 64 00 00 00 00 00");
    record[rec::kSensitivityX] = 11;
    record[rec::kSensitivityY] = 13;
    EXPECT_EQ(ToHex(SensitivityFrame(record)), "0B DC 04 00 00 00 00 00");

    state.intervalReply = {0x04, 0xA1, 0xB2, 0xC3};
    EXPECT_EQ(ToHex(IntervalFrame(record, state)), "01 02 A1 B2 C3 00 00 00");
}

TEST_F(Encodings, LightingEffectByNumber) {
    struct Case {
        uint8_t effect;
        uint8_t value;
        uint8_t colourIndex;
        const char* frame;
    };
    const Case cases[] = {
        {0, 4, 1, "06 00 00 00 00 00 00 00"}, {1, 4, 1, "06 00 00 20 00 00 00 00"},
        {1, 1, 1, "06 00 00 00 00 00 00 00"}, {1, 40, 1, "06 00 00 40 00 00 00 00"},
        {2, 4, 1, "06 01 00 32 08 00 00 00"}, {2, 4, 5, "06 01 07 32 08 00 00 00"},
        {3, 3, 1, "06 02 07 32 09 00 00 00"}, {4, 4, 1, "06 03 07 32 08 00 00 00"},
        {9, 13, 1, "06 04 07 32 FF 00 00 00"}, {5, 4, 1, "06 00 00 00 00 00 00 00"},
        {8, 4, 1, "06 00 00 00 00 00 00 00"}, {200, 4, 1, "06 00 00 00 00 00 00 00"},
    };
    for (const auto& c : cases) {
        SettingsRecord r = record;
        r[rec::kLightEffect] = c.effect;
        if (c.effect >= 1 && c.effect <= 9) {
            r[rec::kLightEffectValue + c.effect - 1u] = c.value;
        }
        r[rec::kLightColourIndex] = c.colourIndex;
        EXPECT_EQ(ToHex(LightEffectFrame(r)), c.frame) << int{c.effect} << "/" << int{c.value};
    }
}

TEST_F(Encodings, LightColourBlockKeepsTheDevicesBytesAndPutsTheSelectedColourFirst) {
    Block readBack;
    for (size_t i = 0; i < readBack.size(); ++i) {
        readBack[i] = static_cast<uint8_t>(0x40 + i);
    }
    const Block block = LightColourBlock(record, readBack, state);  // index 1: FFFF00
    EXPECT_EQ(ToHex(block.data(), 6), "FF FF 00 43 44 45");
    EXPECT_EQ(block[23], 0x57);
    for (size_t i = 24; i < 64; ++i) {
        EXPECT_EQ(block[i], 0) << i;
    }
    EXPECT_EQ(ToHex(state.lightColourBlock.data(), 3), "FF FF 00");
}

TEST_F(Encodings, MacroTransfersTakeTheNext62BytesAndZerosPastTheEnd) {
    for (size_t i = 0; i < state.macroArea.size(); ++i) {
        state.macroArea[i] = static_cast<uint8_t>(1 + i % 250);
    }
    const auto first = MacroTransfer(state, 0);
    for (size_t i = 0; i < 192; ++i) {
        ASSERT_EQ(first[i], state.macroArea[i]) << i;
    }
    const auto last = MacroTransfer(state, 11);
    for (size_t i = 0; i < 130; ++i) {
        ASSERT_EQ(last[i], state.macroArea[1430 + i]) << i;
    }
    for (size_t i = 130; i < 192; ++i) {
        ASSERT_EQ(last[i], 0) << i;
    }
    EXPECT_EQ(ToHex(BlockFrame(kMouseMacro, 3, 11)), "05 00 0B 03 00 00 00 00");
}

TEST_F(Encodings, PadFrames) {
    struct Case {
        uint8_t effect;
        uint8_t value;
        uint8_t colourIndex;
        const char* frame;
    };
    const Case cases[] = {
        {0, 4, 1, "08 00 00 00 00 00 00 00"}, {1, 4, 1, "08 00 20 00 20 FF FF 00"},
        {1, 1, 1, "08 00 00 00 00 00 00 00"}, {2, 4, 2, "08 01 32 04 30 00 FF 00"},
        {2, 4, 5, "08 01 32 04 70 00 FF FF"}, {3, 6, 1, "08 02 32 06 00 00 00 00"},
        {9, 2, 1, "08 03 32 02 00 00 00 00"}, {4, 4, 1, "08 00 00 00 00 00 00 00"},
    };
    for (const auto& c : cases) {
        SettingsRecord r = record;
        r[rec::kPadEffect] = c.effect;
        if (c.effect >= 1 && c.effect <= 9) {
            r[rec::kPadEffectValue + c.effect - 1u] = c.value;
        }
        r[rec::kPadColourIndex] = c.colourIndex;
        EXPECT_EQ(ToHex(PadEffectFrame(r)), c.frame) << int{c.effect};
    }
    const auto colours = PadColourFrames(record);
    EXPECT_EQ(ToHex(colours[0]), "09 FF 00 00 FF FF 00 00");
    EXPECT_EQ(ToHex(colours[1]), "0A 00 FF 00 00 FF FF 00");
    EXPECT_EQ(ToHex(colours[2]), "0B FF 00 FF 00 FF FF 00");
    EXPECT_EQ(ToHex(PadReadBackFrame()), "88 00 00 00 00 00 00 00");
}

TEST_F(Encodings, DiscoveryClearsEverythingButTheColourBlock) {
    state.intervalReply = {1, 2, 3, 4};
    state.currentStage = 3;
    state.buttonTable[0] = {1, 1, 1, 1};
    state.macroArea[7] = 9;
    state.lightColourBlock[5] = 6;
    state.ClearOnDiscovery();
    DeviceState clean;
    clean.lightColourBlock[5] = 6;
    EXPECT_EQ(state.intervalReply, clean.intervalReply);
    EXPECT_EQ(state.currentStage, 0);
    EXPECT_EQ(state.buttonTable, clean.buttonTable);
    EXPECT_EQ(state.macroArea, clean.macroArea);
    EXPECT_EQ(state.lightColourBlock, clean.lightColourBlock);
}

}  // namespace
}  // namespace qm
