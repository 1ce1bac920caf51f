// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "i18n/UiStrings.h"

namespace qm {
namespace {

TEST(UiStrings, EnglishKeepsItsTrailingBlanksAndMisspellings) {
    UiStrings s;
    s.FillUiStrings("EN");
    EXPECT_EQ(s[0], "Setting-EN");
    EXPECT_EQ(s[47], "Scroll One screenn");
    EXPECT_EQ(s[512], "Scroll ");
    EXPECT_EQ(s[547], "Switch DPI into the first stage ");
    EXPECT_EQ(s[553], "Switch DPI into the seven stage ");
    EXPECT_EQ(s[536], "At least one button must be set as the \"click\" function.");
    EXPECT_EQ(s[562], "The system detect QM517 Pro.");
}

TEST(UiStrings, OtherLanguagesHaveTheirTellingRows) {
    UiStrings chs, cht, de;
    chs.FillUiStrings("CHS");
    cht.FillUiStrings("CHT");
    de.FillUiStrings("DE");
    EXPECT_EQ(chs[11], "保存");
    EXPECT_EQ(cht[11], "套用");
    EXPECT_EQ(de[11], "Anwenden");
    EXPECT_EQ(de[509], "鼠标颜色");
    EXPECT_EQ(de[524], "Keyboard-Taste zuweisen +");
    EXPECT_EQ(de[547], "Switch DPI into the first stage ");
    EXPECT_EQ(chs[0], "Setting-CHS");
    EXPECT_EQ(cht[592], "警告!!");
    // German and Traditional Chinese carry no note and no ON/OFF texts.
    for (int entry : {601, 602, 603}) {
        EXPECT_EQ(de[entry], "") << entry;
        EXPECT_EQ(cht[entry], "") << entry;
        EXPECT_NE(chs[entry], "") << entry;
    }
}

TEST(UiStrings, UnknownCodeLeavesEverythingEmpty) {
    for (const char* code : {"en", "", "FR", "chs"}) {
        UiStrings s;
        s.FillUiStrings(code);
        for (int entry = 0; entry < UiStrings::kCount; ++entry) {
            ASSERT_EQ(s[entry], "") << "code " << code << " entry " << entry;
        }
    }
}

TEST(UiStrings, EveryLanguageFillsTheSameEntries) {
    UiStrings en, chs, cht, de;
    en.FillUiStrings("EN");
    chs.FillUiStrings("CHS");
    cht.FillUiStrings("CHT");
    de.FillUiStrings("DE");
    for (int entry = 0; entry < UiStrings::kCount; ++entry) {
        const bool filled = !en[entry].empty();
        EXPECT_EQ(!chs[entry].empty(), filled) << entry;
        if (entry < 601) {
            EXPECT_EQ(!cht[entry].empty(), filled) << entry;
            EXPECT_EQ(!de[entry].empty(), filled) << entry;
        }
    }
    EXPECT_EQ(en[537], de[537]);
    EXPECT_EQ(en[537].rfind("https://", 0), 0u);
}

}  // namespace
}  // namespace qm
