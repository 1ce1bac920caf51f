// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CSkinPage.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "controls/SkinImage.h"

namespace qm {

CSkinPage::CSkinPage(const QString& background, QWidget* parent) : QWidget(parent), m_background(background) {}

bool CSkinPage::event(QEvent* e) {
    const QEvent::Type type = e->type();
    if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
         type == QEvent::MouseButtonRelease) &&
        static_cast<QMouseEvent*>(e)->button() != Qt::LeftButton) {
        e->accept();
        return true;
    }
    return QWidget::event(e);
}

void CSkinPage::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();  // not a second press
}

namespace {

class WindowKeyFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease || e->type() == QEvent::ShortcutOverride) {
            const int key = static_cast<QKeyEvent*>(e)->key();
            if (key == Qt::Key_Escape || key == Qt::Key_Space || key == Qt::Key_F1) {
                e->accept();
                return true;
            }
        }
        return QObject::eventFilter(watched, e);
    }
};

}  // namespace

void SwallowWindowKeys(QWidget* edit) {
    edit->installEventFilter(new WindowKeyFilter(edit));
}

void CSkinPage::PaintBackground(QPainter& p) {
    DrawSkinImage(&p, m_background, 0, 0);
}

void CSkinPage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintBackground(p);
}

}  // namespace qm
