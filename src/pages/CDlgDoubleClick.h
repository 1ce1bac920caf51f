// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pages/CSpeedDialPage.h"
#include "platform/DebugOutput.h"

namespace qm {

// The Double-Click Speed page: the double-click step (doubleClickSpeed, 1..11) on a dial;
// every click on the ring is traced with its angle.
class CDlgDoubleClick : public CSpeedDialPage {
    Q_OBJECT

public:
    CDlgDoubleClick(SettingsRecord& record, const UiStrings& strings, const QString& languageCode, DebugOutput& debug,
                    QWidget* parent)
        : CSpeedDialPage(rec::kDoubleClickSpeed, record, strings, languageCode, parent), m_debug(debug) {}

protected:
    void OnRingClicked(const Pick& pick) override;

private:
    DebugOutput& m_debug;
};

}  // namespace qm
