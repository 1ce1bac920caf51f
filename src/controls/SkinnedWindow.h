// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QImage>
#include <QString>

#include "controls/PaintedButtons.h"

namespace qm {

// The base of the borderless skinned windows: frameless, sized from its background image,
// dragged by any free spot of its background, and deaf to Enter, Escape, Space and F1 so
// that no key closes it or presses a button. Its painted buttons light up under the
// pointer (a window that has them turns mouse tracking on).
class SkinnedWindow : public QDialog {
    Q_OBJECT

public:
    SkinnedWindow(QWidget* parent, const QString& background);

    // Sizes the window to the background picture; false (0 x 0) when it is missing. The
    // picture itself is decoded when it is first drawn (a window that starts hidden in the
    // tray never pays for it).
    bool LoadBackground(const QString& relative);
    const QImage& Background() const;

    // The keys every window swallows.
    static bool IsSwallowedKey(int key);
    // The buttons it paints, for a look at their captions.
    const PaintedButtons& Buttons() const { return m_buttons; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    // Whether a press on the background at `pos` starts a window drag.
    virtual bool IsDragSpot(const QPoint& pos) const;

    PaintedButtons m_buttons;

private:
    QString m_backgroundPath;
    mutable QImage m_background;
    mutable bool m_backgroundLoaded = false;
};

}  // namespace qm
