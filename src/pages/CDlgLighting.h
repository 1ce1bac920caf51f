// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pages/CLightingPage.h"

namespace qm {

// The mouse's Lighting page: Standard, Respiration, Neon, Stream and Finger tapping over
// lightEffect, lightEffectValue and lightColour, the colour strip at y 166.
class CDlgLighting : public CLightingPage {
    Q_OBJECT

public:
    CDlgLighting(SettingsRecord& record, const UiStrings& strings, const QString& languageCode, QWidget* parent);
    static LightingPageSpec Spec();
};

}  // namespace qm
