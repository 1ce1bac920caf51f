// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

namespace qm {

// The skinned sliders: an empty track image and a fill image; the filled part shows the
// value between minimum and maximum. The user drags along the bar; only on release does
// the notify window learn the value, by UM_MARKER_POS (wParam value, lParam id).
// All divisions truncate; the bar looks full one step before the maximum.
class CDMarkerBase : public QWidget {
    Q_OBJECT

public:
    // Create: id, rectangle in the parent's coordinates, parent (also the notify window);
    // enabled, range 0..10, value 0.
    CDMarkerBase(const QRect& rect, QWidget* parent, int id);

    // Cuts `source` out of the two files at 1:1 as the track and the fill images.
    void SetImages(const QRect& source, const QString& track, const QString& fill);
    void SetImages(const QImage& track, const QImage& fill);

    int minimum = 0;
    int maximum = 10;

    int Id() const { return m_id; }
    int Value() const { return m_value; }
    bool Dragging() const { return m_dragging; }

    // value := v when it lies in the range, otherwise the minimum.
    void SetPos(int v);
    // value := v clamped into the range.
    void SetPosClamped(int v);

    // The value at a point in the parent's coordinates, as a release there would give it.
    virtual int ValueAtRelease(const QPoint& parentPoint) const = 0;
    // The length of the filled part along the bar (pixels).
    virtual int FillLength() const = 0;

protected:
    // The value while dragging; for the horizontal marker the same as at a release.
    virtual int ValueAtDrag(const QPoint& parentPoint) const { return ValueAtRelease(parentPoint); }
    int Clamp(int v) const;
    int RawFill(int size) const;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    QImage m_track;
    QImage m_fill;
    int m_value = 0;

private:
    int m_id;
    bool m_dragging = false;
    QPointer<QWidget> m_notify;
};

// Horizontal: fills from the left.
class CDMarker : public CDMarkerBase {
    Q_OBJECT

public:
    using CDMarkerBase::CDMarkerBase;
    int ValueAtRelease(const QPoint& parentPoint) const override;
    int FillLength() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Vertical: fills from the bottom up.
class CDMarkerV : public CDMarkerBase {
    Q_OBJECT

public:
    using CDMarkerBase::CDMarkerBase;
    int ValueAtRelease(const QPoint& parentPoint) const override;
    int FillLength() const override;

protected:
    int ValueAtDrag(const QPoint& parentPoint) const override;
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace qm
