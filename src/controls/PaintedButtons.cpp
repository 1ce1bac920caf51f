// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/PaintedButtons.h"

#include "controls/SkinImage.h"

namespace qm {

int PaintedButtons::Add(Button button) {
    m_buttons.push_back(std::move(button));
    return static_cast<int>(m_buttons.size()) - 1;
}

int PaintedButtons::At(const QPoint& point) const {
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        if (m_buttons[i].rect.contains(point)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool PaintedButtons::Hover(const QPoint& point) {
    const int lit = At(point);
    if (lit == m_lit) {
        return false;
    }
    m_lit = lit;
    return true;
}

QRect PaintedButtons::TextArea(int index) const {
    const Button& b = m_buttons[static_cast<size_t>(index)];
    const QImage image = Skins::Load(b.normal);
    const QRect drawn = image.isNull() ? b.rect : b.rect.intersected(QRect(b.rect.topLeft(), image.size()));
    return drawn.adjusted(3, 0, -3, 0);
}

FittedText PaintedButtons::Fitted(int index, const QFont& font) const {
    const QRect area = TextArea(index);
    return FitText(font, m_buttons[static_cast<size_t>(index)].text, area.width(), area.height());
}

void PaintedButtons::Paint(QPainter& p, int index) const {
    const Button& b = m_buttons[static_cast<size_t>(index)];
    DrawSkinImage(&p, index == m_lit ? b.over : b.normal, b.rect.left(), b.rect.top());
    if (!b.text.isEmpty()) {
        const FittedText fitted = Fitted(index, p.font());
        p.save();
        p.setFont(fitted.font);
        p.drawText(TextArea(index), Qt::AlignCenter, fitted.text);
        p.restore();
    }
}

void PaintedButtons::PaintAll(QPainter& p) const {
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        Paint(p, static_cast<int>(i));
    }
}

}  // namespace qm
