// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace qm {

// One text in the four interface languages, as the windows' own small text tables hold
// them (the macro dialogs, the profiles panel, the utility's own notices).
struct LocalizedText {
    const char* en;
    const char* de;
    const char* chs;
    const char* cht;

    // The text for a language code ("EN", "DE", "CHS", "CHT"); `other` for any other code
    // (the windows of the original leave their texts empty then).
    constexpr const char* For(std::string_view code, const char* other = "") const {
        return code == "EN" ? en : code == "DE" ? de : code == "CHS" ? chs : code == "CHT" ? cht : other;
    }
};

}  // namespace qm
