// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

#include "i18n/UiStrings.h"
#include "model/SettingsRecord.h"
#include "pages/CSkinPage.h"
#include "platform/DebugOutput.h"

namespace qm {

// A half-circle dial of eleven steps from slow (left) to fast (right), set by a click on
// its ring (distance 43..71 from (121, 91), upper half). It reads its step from the
// record on every paint and keeps no copy.
class CSpeedDialPage : public CSkinPage {
    Q_OBJECT

public:
    static constexpr QPoint kCentre{121, 91};

    CSpeedDialPage(size_t field, SettingsRecord& record, const UiStrings& strings, const QString& languageCode,
                   QWidget* parent);

    // What a click at a page point does: nothing below the centre line; off the ring the
    // stored step (clamped into 1..11) stays; on it the step of the angle, 1..11.
    struct Pick {
        bool below = false;
        bool onRing = false;
        double angle = 0;
        int step = 0;
    };
    Pick PickAt(const QPoint& point) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // A click on the ring chose `pick` (the Double-Click page traces it).
    virtual void OnRingClicked(const Pick&) {}

private:
    size_t m_field;
    SettingsRecord& m_record;
    const UiStrings& m_strings;
    QFont m_font;
};

}  // namespace qm
