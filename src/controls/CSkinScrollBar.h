// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace qm {

// Range, page, position and (during a thumb drag) track position of a scroll bar, as
// SetScrollInfo and GetScrollInfo carry them.
struct ScrollInfo {
    int minimum = 0;
    int maximum = 0;
    int page = 0;
    int position = 0;
    int trackPosition = -1;
    bool SameState(const ScrollInfo& o) const {
        return minimum == o.minimum && maximum == o.maximum && page == o.page && position == o.position;
    }
};

// Scroll codes, also the part codes of hit testing.
enum ScrollCode : int {
    SB_LINEUP = 0,
    SB_LINEDOWN = 1,
    SB_PAGEUP = 2,
    SB_PAGEDOWN = 3,
    SB_THUMBPOSITION = 4,
    SB_THUMBTRACK = 5,
};

// Geometry of a bar of length L along its axis, with arrows of the cell width.
struct ScrollGeometry {
    int length = 0;
    int arrow = 0;   // size of each arrow
    int track = 0;   // length between the arrows
    int thumb = 0;   // thumb size (0: no thumb)
    int offset = 0;  // thumb offset from the end of the first arrow
    // The part at a position along the bar: 0/1 arrows, 2/3 track before/after the
    // thumb, 5 thumb; -1 outside.
    int PartAt(int pos) const;
};
ScrollGeometry ComputeScrollGeometry(int length, int cellWidth, const ScrollInfo& info,
                                     bool useTrackPosition, bool forDrawing);

// The two auto-repeat timers (200: the first delay, 100: the repeat), replaceable in tests.
class RepeatTimers {
public:
    virtual ~RepeatTimers() = default;
    virtual void Start(int id, int milliseconds) = 0;
    virtual void Stop(int id) = 0;
    std::function<void(int id)> onTimeout;
};

// A scroll bar drawn from a 9 x 3 cell skin (columns: up, down, thumb, track of the
// vertical bar; left, right, thumb, track of the horizontal bar; corner. Rows: normal,
// hot, pressed). Arrows repeat after 500 ms, then every 100 ms; the thumb drags.
// Every scroll request goes out as scrolled(code, position).
class CSkinScrollBar : public QWidget {
    Q_OBJECT

public:
    CSkinScrollBar(Qt::Orientation orientation, const QImage& skin, QWidget* parent = nullptr);

    void SetScrollInfo(const ScrollInfo& info, bool redraw = true);
    ScrollInfo GetScrollInfo() const { return m_info; }
    int CellWidth() const { return m_cw; }
    int CellHeight() const { return m_ch; }
    int Length() const;
    ScrollGeometry Geometry(bool forDrawing = false) const;
    bool IsDragging() const { return m_dragging; }
    int PressedPart() const { return m_pressedPart; }
    int HotPart() const { return m_hotPart; }
    void SetRepeatTimers(std::unique_ptr<RepeatTimers> timers);

    // The timer ticks (200 once, then 100).
    void OnTimer(int id);

signals:
    void scrolled(int code, int position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    int Along(const QPoint& p) const;
    void DrawPart(QPainter& p, int part, int row, const ScrollGeometry& g);
    QRect PartRect(int part, const ScrollGeometry& g) const;

    Qt::Orientation m_orientation;
    QImage m_skin;
    int m_cw;
    int m_ch;
    ScrollInfo m_info;
    bool m_dragging = false;
    int m_dragOrigin = 0;
    int m_dragPosition = 0;
    int m_pressedPart = -1;
    bool m_repeating = false;
    int m_hotPart = -1;
    bool m_outside = false;
    int m_pointer = -1;  // last pointer position along the bar
    std::unique_ptr<RepeatTimers> m_timers;
};

// The frame that gives a scrollable window the skinned bar: it mirrors the window's
// vertical scroll state into the bar and forwards the bar's requests to the window.
class ScrollTarget {
public:
    virtual ~ScrollTarget() = default;
    virtual ScrollInfo VerticalScrollInfo() const = 0;
    virtual void OnVScroll(int code, int position) = 0;
    // Set by the frame: the window calls it when its scroll state changed (SetScrollInfo,
    // SetScrollPos with redraw), so the bar follows at once.
    std::function<void()> scrollChanged;
protected:
    void NotifyScrollChanged() const {
        if (scrollChanged) {
            scrollChanged();
        }
    }
};

class CSkinScrollWnd : public QWidget {
    Q_OBJECT

public:
    // Wraps `wrapped` (which implements `target`): the frame takes the window's place and
    // size in its parent, and the window becomes the frame's child.
    CSkinScrollWnd(QWidget* wrapped, ScrollTarget* target, const QImage& skin);
    ~CSkinScrollWnd() override;
    CSkinScrollBar* VerticalBar() const { return m_bar; }
    // Copies the window's scroll state into the bar when it differs: whenever the window
    // says it changed (scrollChanged), and after every request the frame forwards.
    void Sync();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Forward(int code, int position);

    QWidget* m_wrapped;
    ScrollTarget* m_target;
    CSkinScrollBar* m_bar;
};

}  // namespace qm
