// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QPainter>
#include <QRect>
#include <QString>
#include <vector>

#include "controls/FitText.h"

namespace qm {

// The buttons the small dialogs paint themselves (close, OK, Cancel, New, Delete): an
// image, a lit image while the pointer is over it, and a centred caption.
class PaintedButtons {
public:
    struct Button {
        QRect rect;
        QString normal;
        QString over;
        QString text;  // may be empty
    };

    int Add(Button button);
    // The button at a point, -1 when none.
    int At(const QPoint& point) const;
    // The pointer moved (or left, with an invalid point): true when the lit button changed.
    bool Hover(const QPoint& point);
    int Lit() const { return m_lit; }
    void Paint(QPainter& p, int index) const;
    void PaintAll(QPainter& p) const;
    const QRect& Rect(int index) const { return m_buttons[static_cast<size_t>(index)].rect; }
    int Count() const { return static_cast<int>(m_buttons.size()); }
    // Where the button's caption goes: its image as drawn (inside its rectangle), less a
    // margin, so that no caption runs past the button the user sees.
    QRect TextArea(int index) const;
    // The caption as drawn in `font`: smaller, or in two lines, where it does not fit.
    FittedText Fitted(int index, const QFont& font) const;

private:
    std::vector<Button> m_buttons;
    int m_lit = -1;
};

}  // namespace qm
