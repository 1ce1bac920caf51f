// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CDlgSplash.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "controls/SkinImage.h"

namespace qm {

CDlgSplash::CDlgSplash(QWidget* parent) : SkinnedWindow(parent, QString()) {
    LoadBackground(QStringLiteral("Skins\\splash.png"));
    // The window keeps its size whatever the picture's: a larger one is cropped, a
    // smaller one leaves the rest unpainted.
    setFixedSize(kWidth, kHeight);
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { OnTimer(1); });
}

void CDlgSplash::showEvent(QShowEvent* event) {
    const QWidget* over = parentWidget();
    QRect area = over != nullptr && over->isVisible() ? over->frameGeometry()
                 : QGuiApplication::primaryScreen() != nullptr
                     ? QGuiApplication::primaryScreen()->availableGeometry()
                     : QRect(0, 0, kWidth, kHeight);
    move(area.center() - QPoint(kWidth / 2, kHeight / 2));
    m_timer.start(kShowMs);
    SkinnedWindow::showEvent(event);
}

void CDlgSplash::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(QPoint(0, 0), Background(), QRect(0, 0, kWidth, kHeight));
}

void CDlgSplash::OnTimer(int id) {
    if (id != 1) {
        return;
    }
    m_timer.stop();
    m_closing = true;
    done(QDialog::Rejected);
}

bool CDlgSplash::IsDragSpot(const QPoint&) const {
    return false;
}

bool CDlgSplash::event(QEvent* e) {
    switch (e->type()) {
        case QEvent::KeyPress:
        case QEvent::ShortcutOverride:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonDblClick:
            e->accept();
            return true;  // swallowed: nothing closes, moves or skips the splash
        default:
            return SkinnedWindow::event(e);
    }
}

void CDlgSplash::closeEvent(QCloseEvent* event) {
    if (!m_closing) {
        event->ignore();  // a close request from the desktop (Alt+F4) is refused too
        return;
    }
    SkinnedWindow::closeEvent(event);
}

}  // namespace qm
