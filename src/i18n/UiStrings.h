// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace qm {

// The interface texts, filled once at start-up for the language code read from the
// profile ("CHS", "CHT", "EN" or "DE", compared exactly). Windows and menus refer to a
// text by its entry number. An unknown code leaves every entry empty.
class UiStrings {
public:
    static constexpr int kCount = 604;

    void FillUiStrings(std::string_view code);
    const std::string& operator[](int entry) const;
    const std::string& Code() const { return m_code; }

    // Entry numbers other parts of the program name.
    enum Entry : int {
        kSectionName = 0,
        kProductName = 6,
        kDpiUp = 41,
        kDpiDown = 42,
        kDpiLoop = 43,
        kClick = 510,
        kMenu = 511,
        kScroll = 512,
        kForward = 513,
        kBack = 514,
        kDpiSubmenu = 516,
        kAdditionalSubmenu = 520,
        kMultimediaSubmenu = 521,
        kBasicSubmenu = 522,
        kAssignKey = 524,
        kMacro = 527,
        kDeactivated = 528,
        kDoubleClick = 531,
        kSnipe = 535,
        kLastClickMessage = 536,
        kMakerAddress = 537,
        kUpdate = 538,
        kFirstStage = 547,
        kMacroKey = 559,
        kExit = 560,
        kNoMouse = 561,
        kMouseFound = 562,
        kResetQuestion = 591,
        kAttention = 592,
        kNote = 601,
        kOff = 602,
        kOn = 603,
    };

private:
    std::array<std::string, kCount> m_entries;
    std::string m_code;
};

// The language codes, in the order the tables list their columns.
enum class Language { kEnglish, kSimplifiedChinese, kTraditionalChinese, kGerman };
// "CHS", "CHT" and "DE" choose their column; any other code English.
Language LanguageForNames(std::string_view code);

}  // namespace qm
