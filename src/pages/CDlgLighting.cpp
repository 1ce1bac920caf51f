// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CDlgLighting.h"

namespace qm {

LightingPageSpec CDlgLighting::Spec() {
    LightingPageSpec spec;
    spec.background = "Skins\\Lighting\\BK_Lighting.png";
    spec.fields = {rec::kLightEffect, rec::kLightEffectValue, rec::kLightReserved, rec::kLightColour,
                   rec::kLightColourIndex};
    spec.rows = {{1, 491, 20, true}, {2, 492, 49, false}, {3, 493, 78, false}, {9, 499, 107, false},
                 {4, 494, 136, false}};
    spec.stripTop = 166;
    // Effect 8 shows the Finger tapping row selected (with every slider off); 5, 6, 7 and
    // 10 show none selected; other values draw no switches.
    spec.selectedRow = [](int effect) {
        switch (effect) {
            case 1: return 0;
            case 2: return 1;
            case 3: return 2;
            case 9: return 3;
            case 4:
            case 8: return 4;
            case 5:
            case 6:
            case 7:
            case 10: return LightingPageSpec::kNoRowSelected;
            default: return LightingPageSpec::kNoSwitches;
        }
    };
    return spec;
}

CDlgLighting::CDlgLighting(SettingsRecord& record, const UiStrings& strings, const QString& languageCode,
                           QWidget* parent)
    : CLightingPage(Spec(), record, strings, languageCode, parent) {}

}  // namespace qm
