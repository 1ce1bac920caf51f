// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QImage>

#include "controls/FitText.h"

namespace qm {

// The push button of the skinned windows: four images (normal, hover, pressed, disabled)
// cut from skin files, an optional caption over them in 0xFDFDFD, a hover look while the
// pointer is over it, and a checked (latched pressed) look. It tells its parent about
// every release and every pointer movement over it, in screen coordinates, which windows
// use for their own hover effects.
class CBitmapBtn : public QAbstractButton {
    Q_OBJECT

public:
    enum Alignment { kCentre = 0, kLeft = 1, kRight = 2 };

    explicit CBitmapBtn(QWidget* parent = nullptr);

    // Cuts `rect` out of each of the four files at 1:1 (the same file may serve several
    // states); the previous images are dropped.
    void SetBitmaps(const QRect& rect, const QString& normal, const QString& hover,
                    const QString& pressed, const QString& disabled);

    QString caption;
    int fontHeight = 14;
    QString fontFace;  // empty: the application's default face
    int alignment = kLeft;
    int indent = 0;
    // Where the caption goes, in the button's own coordinates: the part of its drawn image
    // that no mark or arrow takes (empty: the whole button after a 5-px margin).
    QRect textArea;
    bool checkedLook = false;  // latched pressed look

    bool IsHover() const { return m_hover; }
    void SetChecked(bool checked);
    // The caption as it is drawn: in a smaller font where it does not fit, elided only
    // when even the smallest size is too wide.
    FittedText FittedCaption() const;
    // Where the caption is drawn: the text area, less the indent.
    QRect CaptionRect() const;
    // The image the button shows in its present state.
    const QImage& CurrentImage() const;

signals:
    // After every release of the left button (WM_LBUTTONUP posted to the parent).
    void released(CBitmapBtn* button);
    // Every pointer movement over the button, in screen coordinates.
    void pointerMoved(CBitmapBtn* button, const QPoint& globalPos, Qt::MouseButtons buttons);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void SetHover(bool hover);

    QImage m_imageNormal, m_imageHover, m_imagePressed, m_imageDisabled;
    bool m_hover = false;
};

}  // namespace qm
