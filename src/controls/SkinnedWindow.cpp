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
    m_background = Skins::Load(relative);
    setFixedSize(m_background.isNull() ? QSize(0, 0) : m_background.size());
    return !m_background.isNull();
}

bool SkinnedWindow::IsSwallowedKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape ||
           key == Qt::Key_Space || key == Qt::Key_F1;
}

void SkinnedWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(QPoint(0, 0), m_background);
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
