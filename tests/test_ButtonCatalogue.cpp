// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "model/ButtonCatalogue.h"

namespace qm {
namespace {

struct Catalogue : ::testing::Test {
    UiStrings en;
    std::array<std::string, 3> dpiList;
    SettingsRecord record;

    void SetUp() override {
        en.FillUiStrings("EN");
        dpiList = {en[41], en[42], en[43]};
        // Every byte distinct from what an assignment writes, so stray writes show.
        record.bytes.fill(0x5A);
    }
};

TEST_F(Catalogue, AssignmentWritesTheKindAndOnlyThatKindsParameter) {
    struct Case {
        int command;
        uint8_t kind;
        size_t array;  // 0: no parameter
        uint8_t value;
        const char* caption;
    };
    const Case cases[] = {
        {2001, 0, 0, 0, "Click"},
        {2003, 2, 0, 0, "Scroll "},
        {2006, 5, 0, 0, "Double-Click"},
        {2009, 17, 0, 0, "Fn"},
        {2010, 18, 0, 0, "Snipe"},
        {2013, 13, 0, 0, "Deactivated"},
        {2021, 6, rec::kDpiAction, 2, "DPI -"},
        {2022, 6, rec::kDpiAction, 3, "DPI Loop"},
        {2050, 7, rec::kMediaKey, 0x83, "Open Media Player"},
        {2056, 7, rec::kMediaKey, 0xE9, "Volume Up"},
        {2068, 8, rec::kShortcutKey, 29, "Undo"},
        {2069, 8, rec::kShortcutKey, 0x04, "Select All"},
        {2030, 9, rec::kSystemCommand, 0, "My computer"},
        {2035, 9, rec::kSystemCommand, 5, "Show desktop"},
    };
    for (const auto& c : cases) {
        SettingsRecord r = record;
        const auto caption = AssignCommand(r, 2, c.command, en, Language::kEnglish, dpiList);
        ASSERT_TRUE(caption) << c.command;
        EXPECT_EQ(*caption, c.caption) << c.command;
        SettingsRecord expected = record;
        expected[rec::kButtonKind + 2] = c.kind;
        if (c.array != 0) {
            expected[c.array + 2] = c.value;
        }
        EXPECT_EQ(r, expected) << "command " << c.command << " wrote other bytes";
    }
}

TEST_F(Catalogue, SubmenuNamesFollowTheLanguage) {
    UiStrings de;
    de.FillUiStrings("DE");
    EXPECT_EQ(AssignCommand(record, 0, 2056, en, Language::kSimplifiedChinese, dpiList), "音量+");
    EXPECT_EQ(AssignCommand(record, 0, 2057, en, Language::kTraditionalChinese, dpiList),
              "降低音量");
    EXPECT_EQ(AssignCommand(record, 0, 2061, de, Language::kGerman, dpiList), "Ausschneiden");
    EXPECT_EQ(AssignCommand(record, 0, 2001, de, Language::kGerman, dpiList), "Klick");
    EXPECT_EQ(LanguageForNames("CHS"), Language::kSimplifiedChinese);
    EXPECT_EQ(LanguageForNames("DE"), Language::kGerman);
    EXPECT_EQ(LanguageForNames("de"), Language::kEnglish);
    EXPECT_EQ(LanguageForNames(""), Language::kEnglish);
}

TEST_F(Catalogue, IdsOutsideTheCatalogueChangeNothing) {
    for (int command : {1003, 2000, 2011, 2012, 2014, 2023, 2037, 2058, 2070, 4000}) {
        SettingsRecord r = record;
        EXPECT_EQ(AssignCommand(r, 0, command, en, Language::kEnglish, dpiList), std::nullopt)
            << command;
        EXPECT_EQ(r, record) << command;
    }
}

TEST_F(Catalogue, KeyboardKeyNeedsAName) {
    SettingsRecord r = record;
    EXPECT_EQ(AssignKeyboardKey(r, 3, "", en), std::nullopt);
    EXPECT_EQ(r, record);

    EXPECT_EQ(AssignKeyboardKey(r, 3, "F5", en), "Assign Keyboard Key-F5");
    EXPECT_EQ(r[rec::kButtonKind + 3], kKindKeyboardKey);
    EXPECT_EQ(r[rec::kKeyUsage + 3], 62);
    EXPECT_EQ(r[rec::kMacroNumber + 3], 0x5A);

    UiStrings de;
    de.FillUiStrings("DE");
    EXPECT_EQ(AssignKeyboardKey(r, 3, "F5", de), "Keyboard-Taste zuweisen +-F5");
}

TEST_F(Catalogue, MacroNeedsANumber) {
    SettingsRecord r = record;
    EXPECT_EQ(AssignMacro(r, 4, -1, 0, "Macro_1", en), std::nullopt);
    EXPECT_EQ(r, record);

    EXPECT_EQ(AssignMacro(r, 4, 2, kRunUntilAnyButton, "Macro_1", en), "Macro:Macro_1");
    EXPECT_EQ(r[rec::kButtonKind + 4], kKindMacro);
    EXPECT_EQ(r[rec::kMacroNumber + 4], 2);
    EXPECT_EQ(r[rec::kMacroRunMode + 4], 1);
    EXPECT_EQ(r[rec::kKeyUsage + 4], 0x5A);
}

TEST_F(Catalogue, MacroNameComesFromTheCaption) {
    EXPECT_EQ(MacroNameFromCaption("Macro:Macro_1", en), "Macro_1");
    EXPECT_EQ(MacroNameFromCaption("Macro:a:b", en), "b");
    EXPECT_EQ(MacroNameFromCaption("My Macro", en), "My Macro");
    EXPECT_EQ(MacroNameFromCaption("Click", en), std::nullopt);
}

TEST_F(Catalogue, LastClickButtonCannotBeReassigned) {
    ApplyFactoryDefaults(record);
    EXPECT_TRUE(IsLastClickButton(record, 0));
    for (int slot = 1; slot < 7; ++slot) {
        EXPECT_FALSE(IsLastClickButton(record, slot)) << slot;
    }
    AssignCommand(record, 1, kCmdClick, en, Language::kEnglish, dpiList);
    EXPECT_FALSE(IsLastClickButton(record, 0));
    EXPECT_FALSE(IsLastClickButton(record, 1));
    AssignCommand(record, 0, kCmdForward, en, Language::kEnglish, dpiList);
    EXPECT_TRUE(IsLastClickButton(record, 1));
    // Slot 7 is never a button: its kind does not count.
    record[rec::kButtonKind + 7] = kKindLeftClick;
    EXPECT_TRUE(IsLastClickButton(record, 1));
}

TEST_F(Catalogue, CaptionsForStoredKinds) {
    ApplyFactoryDefaults(record);
    const std::array<std::string, 7> factory = {"Click", "Menu", "Scroll ", "Fn",
                                                "Snipe", "DPI +", "DPI -"};
    for (int slot = 0; slot < 7; ++slot) {
        EXPECT_EQ(CaptionForSlot(record, slot, en, Language::kEnglish), factory[slot]) << slot;
        EXPECT_EQ(FactoryCaptions(en)[static_cast<size_t>(slot)], factory[slot]);
    }
    record[rec::kButtonKind + 0] = kKindTiltLeft;
    record[rec::kButtonKind + 1] = kKindKeyboardKey;
    record[rec::kKeyUsage + 1] = 4;
    record[rec::kButtonKind + 2] = kKindMultimedia;
    record[rec::kMediaKey + 2] = 0xE2;
    record[rec::kButtonKind + 3] = kKindNone12;
    EXPECT_EQ(CaptionForSlot(record, 0, en, Language::kEnglish), "Left Tilt Scroll");
    EXPECT_EQ(CaptionForSlot(record, 1, en, Language::kEnglish), "Assign Keyboard Key-A");
    EXPECT_EQ(CaptionForSlot(record, 2, en, Language::kGerman), "Stumm");
    EXPECT_EQ(CaptionForSlot(record, 3, en, Language::kEnglish), "");
}

}  // namespace
}  // namespace qm
