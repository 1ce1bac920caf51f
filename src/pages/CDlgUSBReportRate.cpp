// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CDlgUSBReportRate.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "controls/SkinImage.h"

namespace qm {

CDlgUSBReportRate::CDlgUSBReportRate(SettingsRecord& record, QWidget* parent)
    : CSkinPage(QStringLiteral("Skins\\USBReportRate\\BK_USBReportRate.png"), parent), m_record(record) {}

int CDlgUSBReportRate::IntervalAt(const QPoint& point) {
    const double dx = point.x() - kCentre.x();
    const double dy = point.y() - kCentre.y();
    const double r = std::sqrt(dx * dx + dy * dy);
    if (r < 35 || r > 64) {
        return 0;
    }
    if (dy < 0 && dx > 0) {
        return 1;  // upper right: 1000 Hz
    }
    if (dy < 0 && dx < 0) {
        return 8;  // upper left: 125 Hz
    }
    if (dy > 0 && dx < 0) {
        return 4;  // lower left: 250 Hz
    }
    if (dy > 0 && dx > 0) {
        return 2;  // lower right: 500 Hz
    }
    return 0;
}

void CDlgUSBReportRate::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintBackground(p);
    uint8_t& interval = m_record[rec::kReportInterval];
    if (interval == 0) {
        interval = 2;  // an unset rate is 500 Hz
    }
    // A value other than 1, 2, 4 or 8 names no dial, and none is drawn.
    DrawSkinImage(&p, QStringLiteral("Skins\\") + QString::asprintf("/USBReportRate/%dHZ.png", 1000 / interval), 57, 5);
}

void CDlgUSBReportRate::mousePressEvent(QMouseEvent* event) {
    if (const int interval = IntervalAt(event->position().toPoint())) {
        m_record[rec::kReportInterval] = static_cast<uint8_t>(interval);
    }
    repaint();
    CSkinPage::mousePressEvent(event);
}

}  // namespace qm
