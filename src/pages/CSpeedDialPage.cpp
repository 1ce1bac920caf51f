// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CSpeedDialPage.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "controls/UiFonts.h"
#include "controls/FontHeight.h"
#include "controls/SkinImage.h"

namespace qm {

CSpeedDialPage::CSpeedDialPage(size_t field, SettingsRecord& record, const UiStrings& strings,
                               const QString& languageCode, QWidget* parent)
    : CSkinPage(QStringLiteral("Skins\\MouseAttribute\\BK_MouseAttribute.png"), parent),
      m_field(field),
      m_record(record),
      m_strings(strings) {
    m_font = UiFont(languageCode, 13);
}

CSpeedDialPage::Pick CSpeedDialPage::PickAt(const QPoint& point) const {
    Pick pick;
    const double dy = point.y() - kCentre.y();
    const double dx = point.x() - kCentre.x();
    if (dy > 0) {
        pick.below = true;
        return pick;
    }
    const double r = std::sqrt(dx * dx + dy * dy);
    if (r >= 43 && r <= 71) {
        pick.onRing = true;
        const double degrees = 180.0 / std::numbers::pi;
        if (dx > 0) {
            pick.angle = std::atan(std::abs(dy) / std::abs(dx)) * degrees;
        } else if (dx == 0) {
            pick.angle = 90;
        } else {
            pick.angle = std::atan(std::abs(dx) / std::abs(dy)) * degrees + 90;
            if (pick.angle >= 175) {
                pick.angle = 185;  // the last few degrees belong to the slowest step
            }
        }
        pick.step = static_cast<int>(12 - pick.angle / 18);
    } else {
        pick.step = m_record[m_field];
    }
    pick.step = std::clamp(pick.step, 1, 11);
    return pick;
}

void CSpeedDialPage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintBackground(p);
    DrawSkinImage(&p, QStringLiteral("Skins\\") + QString::asprintf("/MouseAttribute/Speed/%d.png", m_record[m_field]), 50,
                  20);
    p.setFont(m_font);
    p.setPen(Qt::white);
    p.drawText(QRect(QPoint(5, 73), QPoint(49, 102)), Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
               QString::fromStdString(m_strings[44]));
    p.drawText(QRect(QPoint(192, 73), QPoint(236, 102)), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
               QString::fromStdString(m_strings[45]));
}

void CSpeedDialPage::mousePressEvent(QMouseEvent* event) {
    const Pick pick = PickAt(event->position().toPoint());
    if (pick.below) {
        CSkinPage::mousePressEvent(event);
        return;
    }
    if (pick.onRing) {
        OnRingClicked(pick);
    }
    m_record[m_field] = static_cast<uint8_t>(pick.step);
    repaint();
    CSkinPage::mousePressEvent(event);
}

}  // namespace qm
