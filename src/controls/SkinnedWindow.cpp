// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/SkinnedWindow.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "controls/SkinImage.h"

namespace qm {

SkinnedWindow::SkinnedWindow(QWidget* parent, const QString& background) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    if (!background.isEmpty()) {
        LoadBackground(background);
    }
}

bool SkinnedWindow::LoadBackground(const QString& relative) {
    m_backgroundPath = relative;
    m_background = QImage();
    m_backgroundLoaded = false;
    const QSize size = Skins::ImageSize(relative);
    setFixedSize(size);
    return !size.isEmpty();
}

const QImage& SkinnedWindow::Background() const {
    if (!m_backgroundLoaded) {
        m_backgroundLoaded = true;
        m_background = m_backgroundPath.isEmpty() ? QImage() : Skins::Load(m_backgroundPath);
    }
    return m_background;
}

bool SkinnedWindow::IsSwallowedKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape ||
           key == Qt::Key_Space || key == Qt::Key_F1;
}

void SkinnedWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(QPoint(0, 0), Background());
}

bool SkinnedWindow::IsDragSpot(const QPoint&) const {
    return true;
}

void SkinnedWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && IsDragSpot(event->position().toPoint()) &&
        windowHandle() != nullptr) {
        windowHandle()->startSystemMove();
    }
    QDialog::mousePressEvent(event);
}

void SkinnedWindow::mouseMoveEvent(QMouseEvent* event) {
    if (m_buttons.Hover(event->position().toPoint())) {
        update();
    }
    QDialog::mouseMoveEvent(event);
}

void SkinnedWindow::leaveEvent(QEvent* event) {
    if (m_buttons.Hover(QPoint(-1, -1))) {
        update();
    }
    QDialog::leaveEvent(event);
}

void SkinnedWindow::keyPressEvent(QKeyEvent* event) {
    if (IsSwallowedKey(event->key())) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void SkinnedWindow::keyReleaseEvent(QKeyEvent* event) {
    if (IsSwallowedKey(event->key())) {
        event->accept();
        return;
    }
    QDialog::keyReleaseEvent(event);
}

}  // namespace qm
