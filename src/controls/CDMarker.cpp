// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/CDMarker.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "controls/MessageEvent.h"
#include "controls/SkinImage.h"

namespace qm {

CDMarkerBase::CDMarkerBase(const QRect& rect, QWidget* parent, int id)
    : QWidget(parent), m_id(id), m_notify(parent) {
    setGeometry(rect);
    setFocusPolicy(Qt::StrongFocus);
}

void CDMarkerBase::SetImages(const QRect& source, const QString& track, const QString& fill) {
    SetImages(Skins::Cut(Skins::Load(track), source), Skins::Cut(Skins::Load(fill), source));
}

void CDMarkerBase::SetImages(const QImage& track, const QImage& fill) {
    m_track = track;
    m_fill = fill;
    update();
}

int CDMarkerBase::Clamp(int v) const {
    return std::max(minimum, std::min(v, maximum));
}

void CDMarkerBase::SetPos(int v) {
    m_value = (v >= minimum && v <= maximum) ? v : minimum;
    repaint();
}

void CDMarkerBase::SetPosClamped(int v) {
    m_value = Clamp(v);
    repaint();
}

int CDMarkerBase::RawFill(int size) const {
    const int span = maximum - minimum - 1;
    // A range of one step would divide by zero: the bar is full at the maximum.
    if (span <= 0) {
        return m_value >= maximum ? size : 0;
    }
    return size * (m_value - minimum) / span;
}

void CDMarkerBase::mousePressEvent(QMouseEvent* event) {
    if (isEnabled() && event->button() == Qt::LeftButton) {
        m_dragging = true;
    }
    QWidget::mousePressEvent(event);
}

void CDMarkerBase::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging) {
        m_value = Clamp(ValueAtDrag(mapToParent(event->position().toPoint())));
        repaint();
    }
    QWidget::mouseMoveEvent(event);
}

// A release reports the value at its point. Only a release that ends a press on this
// slider comes here: Qt gives a release to the widget that got the press, so one that
// ends a press elsewhere (a drag begun on the page and let go over the slider) sets no
// value the user never aimed at, which is what a user of any Linux desktop expects of a
// slider. (The Windows original took such releases too; it did not capture the mouse.)
void CDMarkerBase::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_dragging = false;
    const int v = Clamp(ValueAtRelease(mapToParent(event->position().toPoint())));
    m_value = v;
    PostMessage(m_notify, UM_MARKER_POS, v, m_id);
    QWidget::mouseReleaseEvent(event);
    repaint();
}

void CDMarkerBase::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    m_dragging = false;
    update();
}

// Horizontal -----------------------------------------------------------------------------

int CDMarker::ValueAtRelease(const QPoint& p) const {
    const QRect r = geometry();
    const int width = r.width();
    const int x = std::max(p.x(), r.left());
    return width == 0 ? minimum : (x - r.left()) * (maximum - minimum) / width + minimum;
}

int CDMarker::FillLength() const {
    return RawFill(width());
}

void CDMarker::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(QPoint(0, 0), m_track);
    const int fill = std::min(FillLength(), width());
    if (fill > 0) {
        p.drawImage(QPoint(0, 0), m_fill, QRect(0, 0, fill, height()));
    }
}

// Vertical -------------------------------------------------------------------------------

int CDMarkerV::ValueAtDrag(const QPoint& p) const {
    const QRect r = geometry();
    const int bottom = r.top() + r.height();  // the rectangle's bottom edge, exclusive
    const int h = r.height();
    const int y = std::clamp(p.y(), r.top(), bottom);
    return h == 0 ? minimum : minimum + (maximum - minimum) * (bottom - y) / h;
}

int CDMarkerV::ValueAtRelease(const QPoint& p) const {
    const QRect r = geometry();
    const int bottom = r.top() + r.height();
    const int h = r.height();
    const int y = std::min(p.y(), bottom);
    return h == 0 ? minimum : (maximum - minimum) * (bottom - y) / h + minimum;
}

int CDMarkerV::FillLength() const {
    return std::min(RawFill(height()), height());
}

void CDMarkerV::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(QPoint(0, 0), m_track);
    const int fill = FillLength();
    if (fill > 0) {
        // The fill image is drawn from its own top-left corner, from h - fill down.
        p.drawImage(QPoint(0, height() - fill), m_fill, QRect(0, 0, width(), fill));
    }
}

}  // namespace qm
