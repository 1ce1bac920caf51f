// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/CSkinScrollBar.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace qm {

int ScrollGeometry::PartAt(int pos) const {
    if (pos < 0 || pos >= length) {
        return -1;
    }
    if (pos < arrow) {
        return SB_LINEUP;
    }
    if (pos < arrow + offset) {
        return SB_PAGEUP;
    }
    if (pos < arrow + offset + thumb) {
        return SB_THUMBTRACK;
    }
    if (pos < length - arrow) {
        return SB_PAGEDOWN;
    }
    return SB_LINEDOWN;
}

ScrollGeometry ComputeScrollGeometry(int length, int cw, const ScrollInfo& info,
                                     bool useTrackPosition, bool forDrawing) {
    ScrollGeometry g;
    g.length = length;
    g.arrow = length - 2 * cw < 1 ? length / 2 : cw;
    g.track = std::max(length - 2 * g.arrow, 0);
    const int range = info.maximum - info.minimum;
    const int span = range - info.page + 1;
    g.thumb = range + 1 != 0 ? g.track * info.page / (range + 1) : 0;
    if (g.track < 12 || (forDrawing && span <= 0)) {
        g.thumb = 0;
    } else {
        g.thumb = std::max(g.thumb, 12);
    }
    const int p = useTrackPosition ? info.trackPosition : info.position;
    g.offset = span != 0 ? (g.track - g.thumb) * p / span : (g.track - g.thumb) / 2;
    return g;
}

namespace {

class QtRepeatTimers : public RepeatTimers {
public:
    explicit QtRepeatTimers(QObject* owner) {
        for (int id : {100, 200}) {
            QTimer* t = id == 100 ? &m_repeat : &m_first;
            t->setParent(owner);
            QObject::connect(t, &QTimer::timeout, owner, [this, id] {
                if (onTimeout) {
                    onTimeout(id);
                }
            });
        }
    }
    void Start(int id, int ms) override { (id == 100 ? m_repeat : m_first).start(ms); }
    void Stop(int id) override { (id == 100 ? m_repeat : m_first).stop(); }

private:
    QTimer m_first;
    QTimer m_repeat;
};

}  // namespace

CSkinScrollBar::CSkinScrollBar(Qt::Orientation orientation, const QImage& skin, QWidget* parent)
    : QWidget(parent),
      m_orientation(orientation),
      m_skin(skin),
      m_cw(skin.width() / 9),
      m_ch(skin.height() / 3) {
    setMouseTracking(true);
    SetRepeatTimers(std::make_unique<QtRepeatTimers>(this));
}

void CSkinScrollBar::SetRepeatTimers(std::unique_ptr<RepeatTimers> timers) {
    m_timers = std::move(timers);
    m_timers->onTimeout = [this](int id) { OnTimer(id); };
}

int CSkinScrollBar::Length() const {
    return m_orientation == Qt::Vertical ? height() : width();
}

ScrollGeometry CSkinScrollBar::Geometry(bool forDrawing) const {
    return ComputeScrollGeometry(Length(), m_cw, m_info, m_dragging, forDrawing);
}

void CSkinScrollBar::SetScrollInfo(const ScrollInfo& info, bool redraw) {
    const int track = m_info.trackPosition;
    m_info = info;
    m_info.trackPosition = m_dragging ? track : -1;
    if (redraw) {
        update();
    }
}

int CSkinScrollBar::Along(const QPoint& p) const {
    return m_orientation == Qt::Vertical ? p.y() : p.x();
}

QRect CSkinScrollBar::PartRect(int part, const ScrollGeometry& g) const {
    int from = 0, to = 0;
    switch (part) {
        case SB_LINEUP: from = 0; to = g.arrow; break;
        case SB_PAGEUP: from = g.arrow; to = g.arrow + g.offset; break;
        case SB_THUMBTRACK: from = g.arrow + g.offset; to = g.arrow + g.offset + g.thumb; break;
        case SB_PAGEDOWN: from = g.arrow + g.offset + g.thumb; to = g.length - g.arrow; break;
        case SB_LINEDOWN: from = g.length - g.arrow; to = g.length; break;
        default: return {};
    }
    return m_orientation == Qt::Vertical ? QRect(0, from, width(), to - from)
                                         : QRect(from, 0, to - from, height());
}

void CSkinScrollBar::DrawPart(QPainter& p, int part, int row, const ScrollGeometry& g) {
    const QRect r = PartRect(part, g);
    if (r.isEmpty()) {
        return;
    }
    const bool vertical = m_orientation == Qt::Vertical;
    const int base = vertical ? 0 : 4;
    const auto cell = [&](int column, int rowIndex) {
        return QRect(column * m_cw, rowIndex * m_ch, m_cw, m_ch);
    };
    switch (part) {
        case SB_LINEUP:
        case SB_LINEDOWN: {
            // The top cw x cw square of the arrow cell, stretched when the part differs.
            const QRect source(cell(base + (part == SB_LINEUP ? 0 : 1), row).topLeft(), QSize(m_cw, m_cw));
            p.drawImage(r, m_skin, source);
            break;
        }
        case SB_THUMBTRACK: {
            // The first and last 6 pixels come from the cell's ends, the middle is tiled
            // from the cell's middle.
            const QRect c = cell(base + 2, row);
            const int n = vertical ? r.height() : r.width();
            const int cellLength = vertical ? c.height() : c.width();
            const int edge = std::min(6, n / 2);
            const int middle = std::max(cellLength - 12, 1);
            const auto piece = [&](int from, int to, int count) {
                const QRect src = vertical ? QRect(c.left(), c.top() + from, c.width(), count)
                                           : QRect(c.left() + from, c.top(), count, c.height());
                const QRect dst = vertical ? QRect(r.left(), r.top() + to, r.width(), count)
                                           : QRect(r.left() + to, r.top(), count, r.height());
                p.drawImage(dst, m_skin, src);
            };
            piece(0, 0, edge);
            piece(cellLength - edge, n - edge, edge);
            for (int i = edge; i < n - edge; i += middle) {
                piece(6, i, std::min(middle, n - edge - i));
            }
            break;
        }
        default: {
            const QRect c = cell(base + 3, 0);
            const QImage tile = m_skin.copy(c);
            p.save();
            p.setClipRect(r);
            for (int y = r.top(); y < r.bottom() + 1; y += tile.height()) {
                for (int x = r.left(); x < r.right() + 1; x += tile.width()) {
                    p.drawImage(QPoint(x, y), tile);
                }
            }
            p.restore();
            break;
        }
    }
}

void CSkinScrollBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const ScrollGeometry g = Geometry(true);
    for (int part : {SB_PAGEUP, SB_PAGEDOWN, SB_LINEUP, SB_LINEDOWN, SB_THUMBTRACK}) {
        int row = 0;
        if (isEnabled() && (part == SB_LINEUP || part == SB_LINEDOWN || part == SB_THUMBTRACK)) {
            if ((part == m_pressedPart && !m_outside) || (part == SB_THUMBTRACK && m_dragging)) {
                row = 2;
            } else if (part == m_hotPart && m_pressedPart < 0) {
                row = 1;
            }
        }
        DrawPart(p, part, row, g);
    }
}

void CSkinScrollBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    m_pointer = Along(event->position().toPoint());
    const int part = Geometry().PartAt(m_pointer);
    if (part == SB_THUMBTRACK) {
        m_dragOrigin = m_pointer;
        m_dragPosition = m_info.position;
        m_dragging = true;
        m_info.trackPosition = m_info.position;
    } else if (part >= 0) {
        m_pressedPart = part;
        m_outside = false;
        m_repeating = false;
        emit scrolled(part, m_info.position);
        m_timers->Start(200, 500);
    }
    update();
}

void CSkinScrollBar::OnTimer(int id) {
    if (id == 200) {
        m_repeating = true;
        m_timers->Stop(200);
        m_timers->Start(100, 100);
    }
    if (m_pressedPart < 0 || m_outside) {
        return;
    }
    const int running = m_repeating ? 100 : 200;
    switch (m_pressedPart) {
        case SB_LINEUP:
            if (m_info.position == m_info.minimum) {
                m_timers->Stop(running);
                return;
            }
            emit scrolled(SB_LINEUP, m_info.position);
            break;
        case SB_LINEDOWN:
            if (m_info.position == m_info.maximum) {
                m_timers->Stop(running);
                return;
            }
            emit scrolled(SB_LINEDOWN, m_info.position);
            break;
        default:
            // The track repeats until the thumb reaches the pointer.
            if (Geometry().PartAt(m_pointer) == SB_THUMBTRACK) {
                m_timers->Stop(running);
                return;
            }
            emit scrolled(m_pressedPart, m_info.position);
            break;
    }
}

void CSkinScrollBar::mouseMoveEvent(QMouseEvent* event) {
    m_pointer = Along(event->position().toPoint());
    if (m_dragging) {
        const ScrollGeometry g = Geometry();
        const int span = m_info.maximum - m_info.minimum - m_info.page + 1;
        const int room = g.track - g.thumb;
        const int d = m_pointer - m_dragOrigin;
        int position = m_dragPosition + (room != 0 ? d * span / room : 0);
        position = std::max(position, m_info.minimum);
        position = std::min(position, m_info.maximum - m_info.minimum - m_info.page + 1);
        if (position != m_info.trackPosition) {
            m_info.trackPosition = position;
            update();
            emit scrolled(SB_THUMBTRACK, position);
        }
        return;
    }
    if (m_pressedPart < 0) {
        const int part = Geometry().PartAt(m_pointer);
        if (part != m_hotPart) {
            m_hotPart = part;
            update();
        }
        return;
    }
    const bool outside = Geometry().PartAt(m_pointer) != m_pressedPart;
    if (outside != m_outside) {
        m_outside = outside;
        update();
    }
}

void CSkinScrollBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (m_dragging) {
        m_dragging = false;
        emit scrolled(SB_THUMBPOSITION, m_info.trackPosition);
        m_info.trackPosition = -1;
    } else if (m_pressedPart >= 0) {
        m_timers->Stop(m_repeating ? 100 : 200);
        m_pressedPart = -1;
    }
    update();
}

void CSkinScrollBar::mouseDoubleClickEvent(QMouseEvent*) {}

void CSkinScrollBar::leaveEvent(QEvent*) {
    if (m_hotPart != -1) {
        m_hotPart = -1;
        update();
    }
}

// Frame ----------------------------------------------------------------------------------

CSkinScrollWnd::CSkinScrollWnd(QWidget* wrapped, ScrollTarget* target, const QImage& skin)
    : QWidget(wrapped->parentWidget()), m_wrapped(wrapped), m_target(target) {
    setObjectName(QStringLiteral("SkinScrollBarFrame"));
    setGeometry(wrapped->geometry());
    m_bar = new CSkinScrollBar(Qt::Vertical, skin, this);
    wrapped->setParent(this);
    wrapped->move(0, 0);
    connect(m_bar, &CSkinScrollBar::scrolled, this, &CSkinScrollWnd::Forward);
    // The window tells of every change of its scroll state: the bar follows at once, and
    // nothing needs to look again now and then (an idle utility never wakes).
    m_target->scrollChanged = [this] { Sync(); };
    resizeEvent(nullptr);
    wrapped->show();
    m_bar->show();
    Sync();
}

CSkinScrollWnd::~CSkinScrollWnd() {
    m_target->scrollChanged = nullptr;
}

void CSkinScrollWnd::resizeEvent(QResizeEvent*) {
    const int cw = m_bar->CellWidth();
    m_wrapped->setGeometry(0, 0, std::max(width() - cw, 0), height());
    m_bar->setGeometry(width() - cw, 0, cw, height());
}

void CSkinScrollWnd::Sync() {
    const ScrollInfo info = m_target->VerticalScrollInfo();
    if (!info.SameState(m_bar->GetScrollInfo())) {
        m_bar->SetScrollInfo(info);
    }
    m_bar->setEnabled(info.page > 0 && info.maximum >= info.page);
}

void CSkinScrollWnd::Forward(int code, int position) {
    m_target->OnVScroll(code, position);
    if (code != SB_THUMBTRACK) {
        Sync();
    }
}

}  // namespace qm
