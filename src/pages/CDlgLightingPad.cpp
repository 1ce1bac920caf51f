// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CDlgLightingPad.h"

namespace qm {

LightingPageSpec CDlgLightingPad::Spec() {
    LightingPageSpec spec;
    spec.background = "Skins\\Lighting\\BK_PADLighting.png";
    spec.fields = {rec::kPadEffect, rec::kPadEffectValue, rec::kPadReserved, rec::kPadColour, rec::kPadColourIndex};
    spec.rows = {{1, 491, 20, true}, {2, 492, 49, false}, {3, 493, 78, false}, {9, 499, 107, false}};
    spec.stripTop = 137;
    // Effects 4..8 and 10 show no row selected; other values draw no switches.
    spec.selectedRow = [](int effect) {
        switch (effect) {
            case 1: return 0;
            case 2: return 1;
            case 3: return 2;
            case 9: return 3;
            case 4:
            case 5:
            case 6:
            case 7:
            case 8:
            case 10: return LightingPageSpec::kNoRowSelected;
            default: return LightingPageSpec::kNoSwitches;
        }
    };
    return spec;
}

CDlgLightingPad::CDlgLightingPad(SettingsRecord& record, const UiStrings& strings, const QString& languageCode,
                                 QWidget* parent)
    : CLightingPage(Spec(), record, strings, languageCode, parent) {}

}  // namespace qm
