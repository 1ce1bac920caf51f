// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

#include "i18n/UiStrings.h"
#include "model/SettingsRecord.h"
#include "pages/CSkinPage.h"

namespace qm {

// The Angle Snapping page: an ON/OFF switch over angleSnapEnabled. Its section's title
// stays hidden, so the page is built and placed but not offered; showing the title is all
// it takes to offer it.
class CDlgAngleSnap : public CSkinPage {
    Q_OBJECT

public:
    CDlgAngleSnap(SettingsRecord& record, const UiStrings& strings, const QString& languageCode, QWidget* parent);

    static constexpr QRect kOnSwitch{QPoint(25, 30), QPoint(34, 39)};
    static constexpr QRect kOffSwitch{QPoint(140, 30), QPoint(149, 39)};

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    SettingsRecord& m_record;
    const UiStrings& m_strings;
    QFont m_font;
};

}  // namespace qm
