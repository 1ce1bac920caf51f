// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/CBitmapBtn.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include "controls/FontHeight.h"
#include "controls/SkinImage.h"

namespace qm {

CBitmapBtn::CBitmapBtn(QWidget* parent) : QAbstractButton(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover, false);
}

void CBitmapBtn::SetBitmaps(const QRect& rect, const QString& normal, const QString& hover,
                            const QString& pressed, const QString& disabled) {
    m_imageNormal = Skins::Cut(Skins::Load(normal), rect);
    m_imageHover = Skins::Cut(Skins::Load(hover), rect);
    m_imagePressed = Skins::Cut(Skins::Load(pressed), rect);
    m_imageDisabled = Skins::Cut(Skins::Load(disabled), rect);
    update();
}

void CBitmapBtn::SetChecked(bool checked) {
    if (checkedLook != checked) {
        checkedLook = checked;
        update();
    }
}

const QImage& CBitmapBtn::CurrentImage() const {
    if (!isEnabled()) {
        return m_imageDisabled;
    }
    if (checkedLook || isDown()) {
        return m_imagePressed;
    }
    return m_hover ? m_imageHover : m_imageNormal;
}

QRect CBitmapBtn::CaptionRect() const {
    QRect text = textArea.isEmpty() ? rect().adjusted(5, 0, 0, 0) : textArea;
    text.setLeft(text.left() + (alignment == kLeft && indent >= 1 ? indent : 0));
    return text;
}

FittedText CBitmapBtn::FittedCaption() const {
    QFont font = fontFace.isEmpty() ? QApplication::font() : QFont(fontFace);
    font.setPixelSize(FontPixelSize(fontHeight));
    font.setWeight(static_cast<QFont::Weight>(550));
    // Cut in the middle, should it be cut at all: the end of a key or macro caption names
    // the key or the macro.
    return FitText(font, caption, CaptionRect().width(), CaptionRect().height(), Qt::ElideMiddle);
}

void CBitmapBtn::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(QPoint(0, 0), CurrentImage());
    if (caption.isEmpty()) {
        return;
    }
    const FittedText fitted = FittedCaption();
    // Where even the smallest size cannot hold it (a long key name), the whole caption is
    // a hover away.
    const QString tip = fitted.elided ? caption : QString();
    if (toolTip() != tip) {
        setToolTip(tip);
    }
    p.setFont(fitted.font);
    p.setPen(QColor(0xFD, 0xFD, 0xFD));
    Qt::Alignment flags = Qt::AlignVCenter;
    bool clip = true;
    switch (alignment) {
        case kCentre: flags |= Qt::AlignHCenter; break;
        case kLeft: flags |= Qt::AlignLeft; break;
        case kRight: flags |= Qt::AlignRight; break;
        default:
            flags |= Qt::AlignRight;
            clip = false;
            break;
    }
    p.drawText(CaptionRect(), flags | (clip ? 0 : Qt::TextDontClip), fitted.text);
}

void CBitmapBtn::SetHover(bool hover) {
    if (m_hover != hover) {
        m_hover = hover;
        update();
    }
}

void CBitmapBtn::enterEvent(QEnterEvent* event) {
    // A drag with the left button held that crosses the button starts no hover.
    if (!(QApplication::mouseButtons() & Qt::LeftButton)) {
        SetHover(true);
    }
    QAbstractButton::enterEvent(event);
}

void CBitmapBtn::leaveEvent(QEvent* event) {
    SetHover(false);
    QAbstractButton::leaveEvent(event);
}

void CBitmapBtn::mouseMoveEvent(QMouseEvent* event) {
    QAbstractButton::mouseMoveEvent(event);
    if ((event->buttons() & Qt::LeftButton) && !m_hover) {
        return;
    }
    if (!m_hover && rect().contains(event->position().toPoint())) {
        SetHover(true);
    } else if (m_hover && !rect().contains(event->position().toPoint())) {
        SetHover(false);
    }
    emit pointerMoved(this, event->globalPosition().toPoint(), event->buttons());
}

void CBitmapBtn::mousePressEvent(QMouseEvent* event) {
    if (QWidget* w = window(); w != nullptr && !w->isActiveWindow()) {
        w->activateWindow();
    }
    QAbstractButton::mousePressEvent(event);
}

void CBitmapBtn::mouseReleaseEvent(QMouseEvent* event) {
    QAbstractButton::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) {
        emit released(this);
    }
}

void CBitmapBtn::focusOutEvent(QFocusEvent* event) {
    QAbstractButton::focusOutEvent(event);
    SetHover(false);
}

}  // namespace qm
