// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pages/CSpeedDialPage.h"

namespace qm {

// The Mouse Speed page: the desktop's pointer speed step (pointerSpeed, 1..11) on a dial.
class CDlgMouseSpeed : public CSpeedDialPage {
    Q_OBJECT

public:
    CDlgMouseSpeed(SettingsRecord& record, const UiStrings& strings, const QString& languageCode, QWidget* parent)
        : CSpeedDialPage(rec::kPointerSpeed, record, strings, languageCode, parent) {}
};

}  // namespace qm
