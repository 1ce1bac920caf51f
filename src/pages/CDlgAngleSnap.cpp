// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CDlgAngleSnap.h"

#include <QMouseEvent>
#include <QPainter>

#include "controls/UiFonts.h"
#include "controls/FontHeight.h"
#include "controls/SkinImage.h"

namespace qm {

CDlgAngleSnap::CDlgAngleSnap(SettingsRecord& record, const UiStrings& strings, const QString& languageCode,
                             QWidget* parent)
    : CSkinPage(QStringLiteral("Skins\\AngleSnap\\BK_AngleSnap.png"), parent), m_record(record), m_strings(strings) {
    m_font = UiFont(languageCode, 13);
}

void CDlgAngleSnap::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintBackground(p);
    const bool on = m_record[rec::kAngleSnapEnabled] != 0;
    DrawSkinImage(&p, on ? QStringLiteral("Skins\\Enable.png") : QStringLiteral("Skins\\Disable.png"), kOnSwitch.left(),
                  kOnSwitch.top());
    DrawSkinImage(&p, on ? QStringLiteral("Skins\\Disable.png") : QStringLiteral("Skins\\Enable.png"), kOffSwitch.left(),
                  kOffSwitch.top());
    p.setFont(m_font);
    p.setPen(Qt::white);
    const int ascent = p.fontMetrics().ascent();  // the labels hang from their top-left corner
    p.drawText(QPoint(40, 30 + ascent), QString::fromStdString(m_strings[603]));
    p.drawText(QPoint(155, 30 + ascent), QString::fromStdString(m_strings[602]));
}

void CDlgAngleSnap::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (kOffSwitch.contains(at)) {
        m_record[rec::kAngleSnapEnabled] = 0;
        update();
    }
    if (kOnSwitch.contains(at)) {
        m_record[rec::kAngleSnapEnabled] = 1;
        update();
    }
    CSkinPage::mousePressEvent(event);
}

}  // namespace qm
