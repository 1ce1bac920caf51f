// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pages/CLightingPage.h"

namespace qm {

// The mousepad's lighting page: Standard, Respiration, Neon and Stream over padEffect,
// padEffectValue and padColour, the colour strip at y 137. There is no row for effect 4.
class CDlgLightingPad : public CLightingPage {
    Q_OBJECT

public:
    CDlgLightingPad(SettingsRecord& record, const UiStrings& strings, const QString& languageCode, QWidget* parent);
    static LightingPageSpec Spec();
};

}  // namespace qm
