// SPDX-License-Identifier: GPL-3.0-or-later
// Writes every skin file the utility draws into <out>/Skins, and the images compiled into
// the program (scroll bar cells, multicolour swatch, icon) into <resources>.
//
//   skingen <out> <resources>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QRadialGradient>
#include <QtMath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>

#include "SkinArt.h"
#include "controls/SkinCatalogue.h"
#include "platform/Format.h"
#include "platform/SkinPath.h"

using namespace skinart;

namespace {

using Painter = std::function<void(QPainter&, const QSize&)>;

// ---- small parts -----------------------------------------------------------------------

void Background(QPainter& p, const QSize& s, const QColor& top = kPanel, const QColor& bottom = kDeep) {
    Surface(p, QRectF(QPointF(0, 0), s), top, bottom);
}

void Frame(QPainter& p, const QSize& s, const QColor& colour = kLine) {
    p.save();
    p.setPen(QPen(colour, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, s.width() - 1, s.height() - 1));
    p.restore();
}

void Glyph(QPainter& p, const QSize& s, const QString& what, bool over) {
    p.save();
    const QRectF r(0, 0, s.width(), s.height());
    p.setPen(Qt::NoPen);
    p.setBrush(over ? kAccentLight : QColor(0x2C, 0x2C, 0x36));
    p.drawEllipse(r.adjusted(0.5, 0.5, -0.5, -0.5));
    p.setPen(QPen(over ? kText : QColor(0xC8, 0xC8, 0xD2), 1.5, Qt::SolidLine, Qt::RoundCap));
    const QPointF c = r.center();
    const qreal d = s.width() * 0.22;
    if (what == "close") {
        p.drawLine(c + QPointF(-d, -d), c + QPointF(d, d));
        p.drawLine(c + QPointF(-d, d), c + QPointF(d, -d));
    } else if (what == "min") {
        p.drawLine(c + QPointF(-d, d * 0.6), c + QPointF(d, d * 0.6));
    } else {
        p.setFont(Font(s.height() - 4, true));
        p.drawText(r, Qt::AlignCenter, QStringLiteral("?"));
    }
    p.restore();
}

Painter FaceOf(Face face, qreal radius = 3) {
    return [face, radius](QPainter& p, const QSize& s) {
        ButtonFace(p, QRectF(QPointF(0, 0), s), face, radius);
    };
}

// A header bar of the left column and the page host: dark, with an accent edge and a
// chevron at the right that tells it opens.
void HeaderBar(QPainter& p, const QSize& s) {
    Surface(p, QRectF(QPointF(0, 0), s), kRaisedHi, kRaised, 0);
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawRect(QRectF(0, 0, 3, s.height()));
    AccentLine(p, 0, s.width(), s.height() - 1, 1);
    p.setPen(QPen(kMuted, 1.4, Qt::SolidLine, Qt::RoundCap));
    const qreal cx = s.width() - 12, cy = s.height() / 2.0;
    p.drawLine(QPointF(cx - 4, cy - 2), QPointF(cx, cy + 2));
    p.drawLine(QPointF(cx, cy + 2), QPointF(cx + 4, cy - 2));
}

void Switch(QPainter& p, const QSize& s, bool on) {
    const QRectF r = QRectF(QPointF(0, 0), s).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(on ? kAccentLight : kMuted, 1));
    p.setBrush(on ? QBrush(kAccentSelected) : QBrush(kDeep));
    p.drawRoundedRect(r, 2, 2);
    if (on) {
        p.setPen(Qt::NoPen);
        p.setBrush(kText);
        p.drawRoundedRect(r.adjusted(2.5, 2.5, -2.5, -2.5), 1, 1);
    }
}

void Tick(QPainter& p, const QSize& s, bool ticked) {
    const QRectF r = QRectF(QPointF(0, 0), s).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(ticked ? kAccentLight : kMuted, 1));
    p.setBrush(kDeep);
    p.drawRoundedRect(r, 2, 2);
    if (ticked) {
        p.setPen(QPen(kText, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPainterPath tick;
        tick.moveTo(r.left() + r.width() * 0.22, r.top() + r.height() * 0.52);
        tick.lineTo(r.left() + r.width() * 0.42, r.top() + r.height() * 0.74);
        tick.lineTo(r.left() + r.width() * 0.80, r.top() + r.height() * 0.28);
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
    }
}

// The panels of the windows and pages: dark with a hairline frame.
void PagePanel(QPainter& p, const QSize& s) {
    Surface(p, QRectF(QPointF(0, 0), s), QColor(0x1D, 0x1D, 0x25), QColor(0x16, 0x16, 0x1C));
    p.setPen(QPen(kLine, 1));
    p.drawLine(QPointF(0.5, 0), QPointF(0.5, s.height()));
    p.drawLine(QPointF(s.width() - 0.5, 0), QPointF(s.width() - 0.5, s.height()));
    p.drawLine(QPointF(0, s.height() - 0.5), QPointF(s.width(), s.height() - 0.5));
}

void TitleBar(QPainter& p, int width, int height) {
    Surface(p, QRectF(0, 0, width, height), QColor(0x26, 0x26, 0x30), QColor(0x1B, 0x1B, 0x22));
    AccentLine(p, 0, width, height - 2, 2);
}

// ---- the main window ------------------------------------------------------------------------

void MainBackground(QPainter& p, const QSize& s) {
    Background(p, s, QColor(0x17, 0x17, 0x1E), kDeep);
    TitleBar(p, s.width(), 30);
    Wordmark(p, QRectF(20, 0, 200, 30), 14, Qt::AlignLeft);
    // Left column, picture stage and right column sit in recessed wells.
    for (const QRectF& well : {QRectF(16, 30, 250, 570), QRectF(731, 30, 268, 567)}) {
        Surface(p, well, QColor(0x13, 0x13, 0x19), QColor(0x11, 0x11, 0x16), 4, QColor(0x26, 0x26, 0x30));
    }
    // Bottom bar.
    Surface(p, QRectF(0, 597, s.width(), 43), QColor(0x1E, 0x1E, 0x26), QColor(0x15, 0x15, 0x1B));
    AccentLine(p, 0, s.width(), 597, 1);
    Frame(p, s, kAccent);
}

void Logo(QPainter& p, const QSize& s) {
    Surface(p, QRectF(QPointF(0, 0), s), QColor(0x24, 0x24, 0x2D), QColor(0x18, 0x18, 0x1F), 4,
            QColor(0x30, 0x30, 0x3B));
    Wordmark(p, QRectF(14, 10, s.width() - 28, 34), 24, Qt::AlignLeft);
    p.setPen(kMuted);
    p.setFont(Font(11));
    p.drawText(QRectF(16, 44, s.width() - 28, 18), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("GAMING MOUSE"));
    AccentLine(p, 14, s.width() - 14, 64, 2);
}

void MainMid(QPainter& p, const QSize& s) {
    Surface(p, QRectF(QPointF(0, 0), s), QColor(0x15, 0x15, 0x1B), QColor(0x0E, 0x0E, 0x12));
    // The picture stage starts under the window's title bar, which continues across it.
    QRadialGradient spot(QPointF(s.width() / 2.0, s.height() * 0.45), s.width() * 0.55);
    spot.setColorAt(0, QColor(0x6F, 0x29, 0x29, 70));
    spot.setColorAt(1, QColor(0x6F, 0x29, 0x29, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(spot);
    p.drawRect(QRectF(QPointF(0, 0), s));
    // A faint floor grid.
    p.setPen(QPen(QColor(255, 255, 255, 10), 1));
    for (int x = 0; x < s.width(); x += 24) {
        p.drawLine(QPointF(x + 0.5, 0), QPointF(x + 0.5, s.height()));
    }
    for (int y = 0; y < s.height(); y += 24) {
        p.drawLine(QPointF(0, y + 0.5), QPointF(s.width(), y + 0.5));
    }
    Frame(p, s, QColor(0x26, 0x26, 0x30));
    p.save();
    p.setClipRect(QRectF(0, 0, s.width(), 28));
    TitleBar(p, s.width(), 28);
    p.restore();
    p.setPen(kMuted);
    p.setFont(Font(11));
    p.drawText(QRectF(0, 0, s.width(), 26), Qt::AlignCenter, QStringLiteral("CONFIGURATION UTILITY"));
}

void Badge(QPainter& p, const QSize& s, int number, bool over, int pointer) {
    // pointer: 0 none, 1 to the right, 2 down (a stem to the mouse below)
    p.save();
    const qreal badgeWidth = pointer == 1 ? s.width() - 7 : s.width();
    const QRectF pill(0.5, 0.5, badgeWidth - 1, qm::skins::kBadgeHeight - 1);
    const QColor fill = over ? kAccentSelected : QColor(0x22, 0x22, 0x2B, 235);
    const QColor edge = over ? kAccentLight.lighter(120) : kAccentLight;
    if (pointer == 1) {
        QPainterPath tip;
        tip.moveTo(badgeWidth - 2, 5);
        tip.lineTo(s.width() - 0.5, qm::skins::kBadgeHeight / 2.0);
        tip.lineTo(badgeWidth - 2, qm::skins::kBadgeHeight - 5);
        tip.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(edge);
        p.drawPath(tip);
    }
    if (pointer == 2) {
        const qreal x = s.width() / 2.0;
        p.setPen(QPen(edge, 1.2, Qt::DotLine));
        p.drawLine(QPointF(x, qm::skins::kBadgeHeight), QPointF(x, s.height()));
    }
    if (over) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xC2, 0x44, 0x44, 60));
        p.drawRoundedRect(pill.adjusted(-0.5, -0.5, 0.5, 0.5), 10, 10);
    }
    p.setPen(QPen(edge, over ? 1.6 : 1.1));
    p.setBrush(fill);
    p.drawRoundedRect(pill.adjusted(1, 1, -1, -1), 9, 9);
    p.setPen(kText);
    p.setFont(Font(12, true));
    p.drawText(pill, Qt::AlignCenter, QString::number(number));
    p.restore();
}

void MainLeft(QPainter& p, const QSize& s) {
    Surface(p, QRectF(QPointF(0, 0), s), QColor(0x1A, 0x1A, 0x21), QColor(0x14, 0x14, 0x1A), 0,
            QColor(0x28, 0x28, 0x32));
}

void MLogo(QPainter& p, const QSize& s) {
    Wordmark(p, QRectF(0, 4, s.width(), 26), 18, Qt::AlignHCenter);
    p.setPen(kMuted);
    p.setFont(Font(10));
    p.drawText(QRectF(0, 30, s.width(), 16), Qt::AlignCenter, QStringLiteral("precision  \u00b7  speed  \u00b7  light"));
}

void ButtonAssignmentPanel(QPainter& p, const QSize& s) {
    PagePanel(p, s);
    // Rows of the seven buttons: a label well at the left, the drop-down at the right.
    for (int r = 0; r < 7; ++r) {
        const qreal y = 27 + 20 * r;  // drop-down rows at 154 + 20r in the window, panel at 127
        p.setPen(Qt::NoPen);
        p.setBrush(r % 2 == 0 ? QColor(255, 255, 255, 8) : QColor(0, 0, 0, 0));
        p.drawRect(QRectF(6, y - 1, s.width() - 12, 18));
        p.setBrush(kAccent);
        p.drawEllipse(QPointF(14, y + 8), 2, 2);
    }
}

void XYPanel(QPainter& p, const QSize& s) {
    PagePanel(p, s);
    // Tick marks under both sliders, above the scale digits (drawn from x 44 + 21 (d - 1) in
    // the window, the panel starting at x 20).
    p.setPen(QPen(kLine, 1));
    for (int row : {0, 1}) {
        const qreal y = 49 + 60 * row;
        for (int d = 1; d <= 10; ++d) {
            const qreal x = 27 + 21 * (d - 1) + 0.5;
            p.drawLine(QPointF(x, y + 1), QPointF(x, y + 5));
        }
    }
}

void DropDown(QPainter& p, const QSize& s, bool over) {
    Surface(p, QRectF(QPointF(0, 0), s), over ? kAccent : QColor(0x2A, 0x2A, 0x34),
            over ? kAccentSelected.darker(120) : QColor(0x1F, 0x1F, 0x27), 2,
            over ? kAccentLight : kLine);
    const qreal cx = s.width() - 9, cy = s.height() / 2.0;
    p.setPen(Qt::NoPen);
    p.setBrush(over ? kText : kMuted);
    QPainterPath arrow;
    arrow.moveTo(cx - 4, cy - 2);
    arrow.lineTo(cx + 4, cy - 2);
    arrow.lineTo(cx, cy + 3);
    arrow.closeSubpath();
    p.drawPath(arrow);
}

void SliderTrack(QPainter& p, const QSize& s, bool vertical) {
    const QRectF r = QRectF(QPointF(0, 0), s);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x0B, 0x0B, 0x0F));
    p.drawRoundedRect(r, 2, 2);
    p.setPen(QPen(kLine, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    (void)vertical;
}

void SliderFill(QPainter& p, const QSize& s, bool vertical) {
    const QRectF r = QRectF(QPointF(0, 0), s);
    QLinearGradient g = vertical ? QLinearGradient(r.bottomLeft(), r.topLeft())
                                 : QLinearGradient(r.topLeft(), r.topRight());
    g.setColorAt(0, kAccent);
    g.setColorAt(1, kAccentLight);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(r, 2, 2);
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    if (vertical) {
        p.drawLine(QPointF(1.5, 2), QPointF(1.5, s.height() - 2));
    } else {
        p.drawLine(QPointF(2, 1.5), QPointF(s.width() - 2, 1.5));
    }
}

// ---- pages -----------------------------------------------------------------------------

void HostBackground(QPainter& p, const QSize& s) {
    Surface(p, QRectF(QPointF(0, 0), s), QColor(0x15, 0x15, 0x1B), QColor(0x11, 0x11, 0x16));
}

void DpiPage(QPainter& p, const QSize& s) {
    PagePanel(p, s);
    // Guides behind the seven stage sliders.
    p.setPen(QPen(QColor(255, 255, 255, 10), 1));
    for (int i = 0; i <= 4; ++i) {
        const qreal y = 3 + 170.0 * i / 4 + 0.5;
        p.drawLine(QPointF(14, y), QPointF(s.width() - 14, y));
    }
    for (int i = 0; i < 7; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 6));
        p.drawRoundedRect(QRectF(18 + 30 * i, 0, 29, 228), 3, 3);
    }
}

void DpiValue(QPainter& p, const QSize& s) {
    Surface(p, QRectF(QPointF(0, 0), s), QColor(0x30, 0x30, 0x3B), QColor(0x24, 0x24, 0x2D), 2,
            QColor(0x3E, 0x3E, 0x4B));
}

void LightingPage(QPainter& p, const QSize& s, int stripY) {
    PagePanel(p, s);
    p.setPen(QPen(QColor(255, 255, 255, 12), 1));
    for (qreal y : {43.5, 72.5, 101.5, 130.5}) {
        if (y < stripY - 6) {
            p.drawLine(QPointF(8, y), QPointF(s.width() - 8, y));
        }
    }
    p.drawLine(QPointF(8, stripY - 5.5), QPointF(s.width() - 8, stripY - 5.5));
}

void Dial(QPainter& p, const QPointF& c, qreal inner, qreal outer, qreal from, qreal span,
          const QColor& colour) {
    QPainterPath ring;
    const QRectF o(c.x() - outer, c.y() - outer, 2 * outer, 2 * outer);
    const QRectF i(c.x() - inner, c.y() - inner, 2 * inner, 2 * inner);
    ring.arcMoveTo(o, from);
    ring.arcTo(o, from, span);
    ring.arcTo(i, from + span, -span);
    ring.closeSubpath();
    p.setBrush(colour);
    p.drawPath(ring);
}

// The report-rate dial: four quadrants of the ring (35..64 px round the centre), the
// chosen one lit: 1000 Hz upper right, 500 lower right, 250 lower left, 125 upper left.
void RateDial(QPainter& p, const QSize& s, int hz) {
    const QPointF c(64, 61);
    struct Quadrant {
        int hz;
        qreal start;  // degrees, counter-clockwise from 3 o'clock
        QPointF label;
    };
    const Quadrant quadrants[] = {
        {1000, 0, QPointF(40, -38)}, {125, 90, QPointF(-40, -38)},
        {250, 180, QPointF(-40, 40)}, {500, 270, QPointF(40, 40)},
    };
    p.setPen(QPen(kDeep, 2));
    for (const auto& q : quadrants) {
        Dial(p, c, 35, 63, q.start + 2, 86, q.hz == hz ? kAccentSelected : QColor(0x2A, 0x2A, 0x34));
    }
    // Hub with the chosen rate.
    QRadialGradient hub(c, 33);
    hub.setColorAt(0, QColor(0x2C, 0x2C, 0x36));
    hub.setColorAt(1, QColor(0x16, 0x16, 0x1C));
    p.setBrush(hub);
    p.setPen(QPen(kLine, 1));
    p.drawEllipse(c, 31, 31);
    p.setPen(kText);
    p.setFont(Font(15, true));
    p.drawText(QRectF(c.x() - 30, c.y() - 14, 60, 20), Qt::AlignCenter, QString::number(hz));
    p.setPen(kMuted);
    p.setFont(Font(9));
    p.drawText(QRectF(c.x() - 30, c.y() + 4, 60, 12), Qt::AlignCenter, QStringLiteral("Hz"));
    p.setFont(Font(9, true));
    for (const auto& q : quadrants) {
        p.setPen(q.hz == hz ? kText : kMuted);
        p.drawText(QRectF(c + q.label - QPointF(16, 6), QSizeF(32, 12)), Qt::AlignCenter,
                   QString::number(q.hz));
    }
    (void)s;
}

// The half-circle dial of eleven steps: step k covers the angles the page maps to k
// (step 11 at the right, 1 at the left); steps up to the value are lit.
void SpeedDial(QPainter& p, const QSize& s, int step) {
    const QPointF c(71, 71);
    p.setPen(QPen(kDeep, 1.5));
    for (int k = 1; k <= 11; ++k) {
        // Step k lies between angles 18 x (11 - k) and 18 x (12 - k), except that the
        // page gives 1 only from 175 degrees to the left horizontal.
        const qreal from = k == 1 ? 175.0 : 18.0 * (11 - k);
        const qreal to = k == 1 ? 180.0 : k == 2 ? 175.0 : 18.0 * (12 - k);
        const QColor colour = k <= step ? (k == step ? kAccentLight : kAccentSelected)
                                        : QColor(0x2A, 0x2A, 0x34);
        Dial(p, c, 44, 70, from + 0.8, to - from - 1.6, colour);
    }
    QRadialGradient hub(c, 40);
    hub.setColorAt(0, QColor(0x2C, 0x2C, 0x36));
    hub.setColorAt(1, QColor(0x16, 0x16, 0x1C));
    p.setBrush(hub);
    p.setPen(QPen(kLine, 1));
    p.drawPie(QRectF(c.x() - 40, c.y() - 40, 80, 80), 0, 180 * 16);
    p.setPen(kText);
    p.setFont(Font(18, true));
    p.drawText(QRectF(c.x() - 30, c.y() - 30, 60, 26), Qt::AlignCenter, QString::number(step));
    (void)s;
}

void ScrollLines(QPainter& p, const QSize& s) {
    Surface(p, QRectF(0, 0, 36, s.height()), QColor(0x0E, 0x0E, 0x12), QColor(0x0B, 0x0B, 0x0F), 2, kLine);
    for (int i = 0; i < 2; ++i) {
        const QRectF key(40, i * 8, 10, 6);
        Surface(p, key, kRaisedHi, kRaised, 1, kLine);
        p.setPen(Qt::NoPen);
        p.setBrush(kText);
        QPainterPath arrow;
        const qreal cx = key.center().x(), cy = key.center().y();
        if (i == 0) {
            arrow.moveTo(cx - 2.5, cy + 1.5);
            arrow.lineTo(cx + 2.5, cy + 1.5);
            arrow.lineTo(cx, cy - 1.5);
        } else {
            arrow.moveTo(cx - 2.5, cy - 1.5);
            arrow.lineTo(cx + 2.5, cy - 1.5);
            arrow.lineTo(cx, cy + 1.5);
        }
        arrow.closeSubpath();
        p.drawPath(arrow);
    }
}

// ---- dialogs ---------------------------------------------------------------------------

void DialogBackground(QPainter& p, const QSize& s) {
    Background(p, s, QColor(0x1C, 0x1C, 0x24), QColor(0x12, 0x12, 0x18));
    TitleBar(p, s.width(), 31);
    Frame(p, s, kAccent);
}

void MacroManagerBackground(QPainter& p, const QSize& s) {
    DialogBackground(p, s);
    // The three columns: names, keystrokes, options; each with its heading band.
    for (const QRectF& col : {QRectF(14, 58, 122, 300), QRectF(146, 58, 122, 300), QRectF(277, 58, 122, 300)}) {
        Surface(p, col, QColor(0x17, 0x17, 0x1E), QColor(0x14, 0x14, 0x1A), 3, QColor(0x2A, 0x2A, 0x35));
        Surface(p, QRectF(col.left(), col.top(), col.width(), 22), kRaised, QColor(0x1E, 0x1E, 0x26), 3);
        AccentLine(p, col.left() + 4, col.right() - 4, col.top() + 21, 1);
    }
    p.setPen(QPen(kLine, 1));
    p.drawLine(QPointF(285, 290.5), QPointF(392, 290.5));
}

void KeyDialogBackground(QPainter& p, const QSize& s, bool macro) {
    DialogBackground(p, s);
    Wordmark(p, QRectF(14, 0, 200, 31), 13, Qt::AlignLeft);
    if (macro) {
        // The name field well with its drop arrow, and the three run-mode rows.
        Surface(p, QRectF(40, 126, 113, 20), QColor(0x0E, 0x0E, 0x12), QColor(0x0B, 0x0B, 0x0F), 2, kLine);
        p.setPen(Qt::NoPen);
        p.setBrush(kMuted);
        QPainterPath arrow;
        arrow.moveTo(140, 133);
        arrow.lineTo(148, 133);
        arrow.lineTo(144, 138);
        arrow.closeSubpath();
        p.drawPath(arrow);
        for (int i = 0; i < 3; ++i) {
            Surface(p, QRectF(212, 66 + 50 * i, 182, 42), QColor(255, 255, 255, 10),
                    QColor(255, 255, 255, 4), 4, QColor(0x2A, 0x2A, 0x35));
        }
    } else {
        // A key cap around the captured key's name.
        Surface(p, QRectF(66, 124, 92, 26), QColor(0x34, 0x34, 0x40), QColor(0x20, 0x20, 0x28), 5,
                QColor(0x48, 0x48, 0x56));
        Surface(p, QRectF(70, 126, 84, 20), QColor(0x2A, 0x2A, 0x34), QColor(0x24, 0x24, 0x2D), 4);
    }
    p.setPen(QPen(kLine, 1));
    p.drawLine(QPointF(10, 240.5), QPointF(s.width() - 10, 240.5));
}

void ConfigPanel(QPainter& p, const QSize& s) {
    Background(p, s, QColor(0x1C, 0x1C, 0x24), QColor(0x14, 0x14, 0x1A));
    TitleBar(p, s.width(), 31);
    Surface(p, QRectF(0, 31, s.width(), 544), QColor(0x28, 0x28, 0x28), QColor(0x28, 0x28, 0x28));
    Surface(p, QRectF(0, 575, s.width(), 25), kRaised, QColor(0x1E, 0x1E, 0x26));
    AccentLine(p, 0, s.width(), 575, 1);
    Frame(p, s, kAccent);
}

void SmallIcon(QPainter& p, const QSize& s, bool plus) {
    p.setPen(QPen(kAccentLight, 2, Qt::SolidLine, Qt::RoundCap));
    const qreal c = s.width() / 2.0;
    p.drawLine(QPointF(2, c), QPointF(s.width() - 2, c));
    if (plus) {
        p.drawLine(QPointF(c, 2), QPointF(c, s.height() - 2));
    }
}

// The macro manager's close button: a face with a cross.
void CloseFace(QPainter& p, const QSize& s, bool over) {
    ButtonFace(p, QRectF(QPointF(0, 0), s), over ? Face::kHover : Face::kNormal, 3);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(over ? QColor(Qt::white) : kText, 1.8, Qt::SolidLine, Qt::RoundCap));
    const QPointF c(s.width() / 2.0, s.height() / 2.0);
    p.drawLine(c + QPointF(-4.5, -4.5), c + QPointF(4.5, 4.5));
    p.drawLine(c + QPointF(-4.5, 4.5), c + QPointF(4.5, -4.5));
}

// The record button: its caption fills the face, so the record mark is a thin red edge.
void RecordButton(QPainter& p, const QSize& s, bool over) {
    ButtonFace(p, QRectF(0, 0, 89, s.height()), over ? Face::kHover : Face::kNormal, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(over ? kText : kAccentLight);
    p.drawRoundedRect(QRectF(2, 5, 2.5, s.height() - 10), 1, 1);
    // Beyond the 89 pixels the button shows: the same face continued, for wider cuts.
    ButtonFace(p, QRectF(89, 0, s.width() - 89, s.height()), over ? Face::kHover : Face::kNormal, 3);
}

void Splash(QPainter& p, const QSize& s) {
    Background(p, s, QColor(0x1B, 0x1B, 0x23), QColor(0x0C, 0x0C, 0x10));
    QRadialGradient glow(QPointF(s.width() * 0.62, s.height() * 0.45), s.width() * 0.5);
    glow.setColorAt(0, QColor(0x8F, 0x20, 0x20, 110));
    glow.setColorAt(1, QColor(0x8F, 0x20, 0x20, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawRect(QRectF(QPointF(0, 0), s));
    p.save();
    p.translate(300, 36);
    p.rotate(12);
    p.scale(0.82, 0.82);
    MouseTop(p, 120, 0, 380);
    p.restore();
    Wordmark(p, QRectF(34, 120, 260, 50), 38, Qt::AlignLeft);
    p.setPen(kMuted);
    p.setFont(Font(14));
    p.drawText(QRectF(38, 172, 260, 22), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("GAMING MOUSE"));
    AccentLine(p, 36, 270, 202, 3);
    p.setPen(QColor(255, 255, 255, 110));
    p.setFont(Font(11));
    p.drawText(QRectF(38, 380, 300, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Configuration utility \u00b7 version 2.1"));
    Frame(p, s, kAccent);
}

// ---- compiled-in resources -------------------------------------------------------------------

// 9 x 3 cells of 13 x 16: up, down, thumb, track (vertical); left, right, thumb, track
// (horizontal); corner. Rows: normal, hot, pressed.
void ScrollBarCells(QPainter& p, const QSize&) {
    const int cw = 13, ch = 16;
    for (int row = 0; row < 3; ++row) {
        const QColor face = row == 0 ? QColor(0x2A, 0x2A, 0x34) : row == 1 ? kAccent : kAccentSelected;
        const QColor glyph = row == 0 ? kMuted : kText;
        for (int col = 0; col < 9; ++col) {
            const QRectF cell(col * cw, row * ch, cw, ch);
            const bool track = col == 3 || col == 7;
            const bool corner = col == 8;
            if (track || corner) {
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(0x12, 0x12, 0x17));
                p.drawRect(cell);
                if (track) {
                    p.setBrush(QColor(0x1C, 0x1C, 0x24));
                    p.drawRect(col == 3 ? QRectF(cell.left() + 5, cell.top(), 3, ch)
                                        : QRectF(cell.left(), cell.top() + 6, cw, 3));
                }
                continue;
            }
            const bool thumb = col == 2 || col == 6;
            const QRectF face_r = cell.adjusted(1, 1, -1, -1);
            Surface(p, face_r, face.lighter(115), face, 3, row == 0 ? kLine : kAccentLight);
            if (thumb) {
                continue;
            }
            p.setPen(Qt::NoPen);
            p.setBrush(glyph);
            const QPointF c = cell.center();
            QPainterPath arrow;
            switch (col) {
                case 0: arrow.moveTo(c.x() - 3.5, c.y() + 2); arrow.lineTo(c.x() + 3.5, c.y() + 2); arrow.lineTo(c.x(), c.y() - 2.5); break;
                case 1: arrow.moveTo(c.x() - 3.5, c.y() - 2); arrow.lineTo(c.x() + 3.5, c.y() - 2); arrow.lineTo(c.x(), c.y() + 2.5); break;
                case 4: arrow.moveTo(c.x() + 2, c.y() - 3.5); arrow.lineTo(c.x() + 2, c.y() + 3.5); arrow.lineTo(c.x() - 2.5, c.y()); break;
                default: arrow.moveTo(c.x() - 2, c.y() - 3.5); arrow.lineTo(c.x() - 2, c.y() + 3.5); arrow.lineTo(c.x() + 2.5, c.y()); break;
            }
            arrow.closeSubpath();
            p.drawPath(arrow);
        }
    }
}

void Multicolour(QPainter& p, const QSize& s) {
    QLinearGradient g(0, 0, s.width(), 0);
    const QColor stops[] = {Qt::red, Qt::yellow, Qt::green, Qt::cyan, Qt::blue, Qt::magenta, Qt::red};
    for (int i = 0; i < 7; ++i) {
        g.setColorAt(i / 6.0, stops[i]);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRect(QRectF(QPointF(0, 0), s));
}

// The tray shows this icon on dark and on light panels alike: the dark tile has a light
// rim, and the mouse a light outline, so neither vanishes into the panel.
void AppIcon(QPainter& p, const QSize& s) {
    // Drawn for 64 px and scaled with the size, so every icon size is drawn, not resampled.
    const qreal k = s.width() / 64.0;
    const QRectF r = QRectF(QPointF(0, 0), s).adjusted(2 * k, 2 * k, -2 * k, -2 * k);
    Surface(p, r, QColor(0x2A, 0x2A, 0x34), QColor(0x12, 0x12, 0x17), 12 * k, kAccentLight);
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xE4, 0xE4, 0xEA), 2.0 * k));
    p.drawRoundedRect(r.adjusted(-0.5 * k, -0.5 * k, 0.5 * k, 0.5 * k), 12 * k, 12 * k);
    p.restore();

    QImage mouse(s, QImage::Format_ARGB32_Premultiplied);
    mouse.fill(Qt::transparent);
    {
        QPainter m(&mouse);
        m.setRenderHint(QPainter::Antialiasing);
        m.translate(s.width() / 2.0 - 120 * 0.13 * k, 8 * k);
        m.scale(0.13 * k, 0.13 * k);
        MouseTop(m, 120, 0, 380);
    }
    // The outline: the mouse's body (not its soft shadow) in a light colour, drawn around
    // it 2 px wide (at 64 px).
    QImage halo(s, QImage::Format_ARGB32);
    halo.fill(Qt::transparent);
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            if (qAlpha(mouse.pixel(x, y)) > 160) {
                halo.setPixel(x, y, qRgba(0xE4, 0xE4, 0xEA, 0xFF));
            }
        }
    }
    const int reach = std::max(1, qRound(2 * k));
    for (int dx = -reach; dx <= reach; ++dx) {
        for (int dy = -reach; dy <= reach; ++dy) {
            if (dx * dx + dy * dy <= reach * reach + 1 && (dx != 0 || dy != 0)) {
                p.drawImage(QPoint(dx, dy), halo);
            }
        }
    }
    p.drawImage(QPoint(0, 0), mouse);
}

// The scalable icon: the same tile and a mouse drawn with the paths of the PNG icons.
QString AppIconSvg() {
    return QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\" viewBox=\"0 0 64 64\">\n"
        "  <defs>\n"
        "    <linearGradient id=\"tile\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">\n"
        "      <stop offset=\"0\" stop-color=\"#2a2a34\"/><stop offset=\"1\" stop-color=\"#121217\"/>\n"
        "    </linearGradient>\n"
        "    <linearGradient id=\"body\" x1=\"0\" y1=\"0\" x2=\"1\" y2=\"1\">\n"
        "      <stop offset=\"0\" stop-color=\"#3a3a44\"/><stop offset=\"1\" stop-color=\"#15151a\"/>\n"
        "    </linearGradient>\n"
        "  </defs>\n"
        "  <rect x=\"2\" y=\"2\" width=\"60\" height=\"60\" rx=\"12\" fill=\"url(#tile)\" "
        "stroke=\"#e4e4ea\" stroke-width=\"2\"/>\n"
        "  <path d=\"M32 8 C45 8 50 18 50 32 C50 48 43 56 32 56 C21 56 14 48 14 32 C14 18 19 8 32 8 Z\" "
        "fill=\"url(#body)\" stroke=\"#e4e4ea\" stroke-width=\"2\"/>\n"
        "  <path d=\"M32 8 L32 26 M14.5 27 Q32 31 49.5 27\" fill=\"none\" stroke=\"#0d0d10\" "
        "stroke-width=\"1.2\"/>\n"
        "  <rect x=\"29.5\" y=\"14\" width=\"5\" height=\"10\" rx=\"2.5\" fill=\"#55555f\"/>\n"
        "  <path d=\"M20 45 Q32 52 44 45\" fill=\"none\" stroke=\"#e23c3c\" stroke-width=\"2.2\" "
        "stroke-linecap=\"round\"/>\n"
        "</svg>\n");
}

// ---- the registry ----------------------------------------------------------------------

// The path a file is written under: separators normalised, the skin folder spelled "Skins".
QString Canonical(const char* quoted) {
    std::string path = qm::NormaliseSkinPath(quoted);
    if (path.size() >= 6 && qm::EqualsIgnoreCase(path.substr(0, 6), "skins/")) {
        path.replace(0, 6, "Skins/");
    }
    return QString::fromStdString(path);
}

std::map<QString, Painter> Painters() {
    std::map<QString, Painter> m;
    const auto add = [&](const char* quoted, Painter painter) { m[Canonical(quoted).toLower()] = std::move(painter); };
    add("/skins/main.png", MainBackground);
    add("Skins/Logo.png", Logo);
    add("Skins/BK_MainMid.png", MainMid);
    add("Skins/Mouse/Front/MouseFront.png", [](QPainter& p, const QSize& s) { MouseTop(p, 120, 10, s.height() - 10); });
    add("Skins/Mouse/Side/MouseSide.png", [](QPainter& p, const QSize&) { MouseSide(p, QPointF(0, 0)); });
    add("Skins/BK_MainLeft.png", MainLeft);
    add("Skins/MLogo.png", MLogo);
    add("Skins/ButtonAssignment/BK_ButtonAssignment.png", ButtonAssignmentPanel);
    add("Skins/XYSensitivity/BK_XYSensSetting.png", XYPanel);
    for (const char* glyph : {"help", "min", "close"}) {
        for (bool over : {false, true}) {
            const std::string path = std::string("Skins/button-") + glyph + (over ? "-over.png" : "-normal.png");
            add(path.c_str(), [glyph = QString(glyph), over](QPainter& p, const QSize& s) { Glyph(p, s, glyph, over); });
        }
    }
    add("Skins/button-config-normal.png", FaceOf(Face::kNormal));
    add("Skins/button-config-over.png", FaceOf(Face::kHover));
    add("Skins/button-cancel-normal.png", FaceOf(Face::kNormal));
    add("Skins/button-cancel-over.png", FaceOf(Face::kHover));
    add("Skins/button-cancel-leave.png", FaceOf(Face::kPressed));
    add("Skins/button-save-leave.png", FaceOf(Face::kDisabled));
    add("Skins/button-mouse-normal.png", FaceOf(Face::kNormal, 4));
    add("Skins/button-mouse-over.png", FaceOf(Face::kHover, 4));
    add("Skins/button-mouse-leave.png", FaceOf(Face::kPressed, 4));
    add("Skins/ItemBK.png", HeaderBar);
    add("Skins/MacroManagementBK.png", [](QPainter& p, const QSize& s) {
        Surface(p, QRectF(QPointF(0, 0), s), QColor(0x2C, 0x2C, 0x37), QColor(0x22, 0x22, 0x2B), 0, kLine);
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        p.drawRect(QRectF(0, 0, 3, s.height()));
        p.setBrush(kAccentLight);
        p.drawEllipse(QPointF(s.width() - 16, s.height() / 2.0), 4, 4);
    });
    add("Skins/ButtonAssignment/DropdownBox-normal.png", [](QPainter& p, const QSize& s) { DropDown(p, s, false); });
    add("Skins/ButtonAssignment/DropdownBox-over.png", [](QPainter& p, const QSize& s) { DropDown(p, s, true); });
    add("Skins/XYSensitivity/1.png", [](QPainter& p, const QSize& s) { SliderTrack(p, QSize(s.width(), 9), false); });
    add("Skins/XYSensitivity/2.png", [](QPainter& p, const QSize& s) { SliderFill(p, QSize(s.width(), 9), false); });

    add("Skins/BK_MainRight.png", HostBackground);
    add("Skins/DPISetting/BK_DPISetting.png", DpiPage);
    add("Skins/DPISetting/BK-DPIValue.png", DpiValue);
    add("Skins/DPISetting/DPIStage/0.png", [](QPainter& p, const QSize& s) { SliderTrack(p, s, true); });
    add("Skins/DPISetting/DPIStage/82.png", [](QPainter& p, const QSize& s) { SliderFill(p, s, true); });
    add("Skins/Enable.png", [](QPainter& p, const QSize& s) { Switch(p, s, true); });
    add("Skins/Disable.png", [](QPainter& p, const QSize& s) { Switch(p, s, false); });
    add("Skins/Lighting/BK_Lighting.png", [](QPainter& p, const QSize& s) { LightingPage(p, s, 166); });
    add("Skins/Lighting/BK_PADLighting.png", [](QPainter& p, const QSize& s) { LightingPage(p, s, 137); });
    add("Skins/StageSlider/1.png", [](QPainter& p, const QSize& s) { SliderTrack(p, QSize(s.width(), 8), false); });
    add("Skins/StageSlider/10.png", [](QPainter& p, const QSize& s) { SliderFill(p, QSize(s.width(), 8), false); });
    add("Skins/USBReportRate/BK_USBReportRate.png", PagePanel);
    for (int hz : {1000, 500, 250, 125}) {
        add(QStringLiteral("Skins/USBReportRate/%1HZ.png").arg(hz).toUtf8().constData(),
            [hz](QPainter& p, const QSize& s) { RateDial(p, s, hz); });
    }
    add("Skins/MouseAttribute/BK_MouseAttribute.png", PagePanel);
    for (int step = 1; step <= 11; ++step) {
        add(QStringLiteral("Skins/MouseAttribute/Speed/%1.png").arg(step).toUtf8().constData(),
            [step](QPainter& p, const QSize& s) { SpeedDial(p, s, step); });
    }
    add("Skins/MouseAttribute/BK_ScrollSpeed.png", PagePanel);
    add("Skins/MouseAttribute/ScrollSpeed/Enable.png", [](QPainter& p, const QSize& s) { Switch(p, s, true); });
    add("Skins/MouseAttribute/ScrollSpeed/Disable.png", [](QPainter& p, const QSize& s) { Switch(p, s, false); });
    add("Skins/MouseAttribute/ScrollSpeed/ScrollLines.png", ScrollLines);
    add("Skins/AngleSnap/BK_AngleSnap.png", PagePanel);

    add("Skins/MacroManagement/MacroManagement.png", MacroManagerBackground);
    add("Skins/macro-button-close-normal.png", [](QPainter& p, const QSize& s) { CloseFace(p, s, false); });
    add("Skins/macro-button-close-over.png", [](QPainter& p, const QSize& s) { CloseFace(p, s, true); });
    add("Skins/MacroManagement/button-cancel-normal.png", FaceOf(Face::kNormal));
    add("Skins/MacroManagement/button-cancel-over.png", FaceOf(Face::kHover));
    add("Skins/MacroManagement/button-new-normal.png", FaceOf(Face::kNormal));
    add("Skins/MacroManagement/button-new-over.png", FaceOf(Face::kHover));
    add("Skins/MacroManagement/Record-normal.png", [](QPainter& p, const QSize& s) { RecordButton(p, s, false); });
    add("Skins/MacroManagement/Record-over.png", [](QPainter& p, const QSize& s) { RecordButton(p, s, true); });
    add("Skins/MacroManagement/Pane.png", [](QPainter& p, const QSize& s) { Tick(p, s, false); });
    add("Skins/MacroManagement/PaneMakingTick.png", [](QPainter& p, const QSize& s) { Tick(p, s, true); });
    add("Skins/macro-key.png", [](QPainter& p, const QSize& s) { KeyDialogBackground(p, s, true); });
    add("Skins/single-key.png", [](QPainter& p, const QSize& s) { KeyDialogBackground(p, s, false); });
    add("Skins/Pane.png", [](QPainter& p, const QSize& s) { Tick(p, s, false); });
    add("Skins/PaneMakingTick.png", [](QPainter& p, const QSize& s) { Tick(p, s, true); });
    add("Skins/Config/Config.png", ConfigPanel);
    add("Skins/Config/New-Config.png", [](QPainter& p, const QSize& s) { SmallIcon(p, s, true); });
    add("Skins/Config/Del-Config.png", [](QPainter& p, const QSize& s) { SmallIcon(p, s, false); });
    add("Skins/splash.png", Splash);
    return m;
}

bool Save(const QImage& image, const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "skingen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

QImage Paint(const Painter& painter, int width, int height) {
    QImage image = Canvas(width, height);
    QPainter p(&image);
    Setup(p);
    painter(p, QSize(width, height));
    p.end();
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: skingen <output folder> <resource folder>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString resources = QString::fromLocal8Bit(argv[2]);

    const std::map<QString, Painter> painters = Painters();
    std::set<QString> written;
    int failures = 0;
    for (const auto& file : qm::skins::kFiles) {
        const QString path = Canonical(file.path);
        if (!written.insert(path.toLower()).second) {
            continue;
        }
        const auto painter = painters.find(path.toLower());
        if (painter == painters.end()) {
            std::fprintf(stderr, "skingen: no picture for %s\n", file.path);
            ++failures;
            continue;
        }
        failures += Save(Paint(painter->second, file.width, file.height), out + "/" + path) ? 0 : 1;
    }
    // The hotspot badges of both mouse pictures.
    for (int n = 1; n <= 7; ++n) {
        for (bool over : {false, true}) {
            const char* state = over ? "over" : "normal";
            // Badges left of the mouse point right at it; on the side view the ones above it
            // carry a stem down.
            const int frontPointer = (n == 1 || n == 4 || n == 5) ? 1 : 0;
            failures += Save(Paint([&](QPainter& p, const QSize& s) { Badge(p, s, n, over, frontPointer); },
                                   qm::skins::kBadgeWidth, qm::skins::kBadgeHeight),
                             out + QString::asprintf("/Skins/Mouse/Front/F-%d-%s.png", n, state))
                            ? 0
                            : 1;
            const bool stem = qm::skins::SideBadgeHasStem(n);
            failures += Save(Paint([&](QPainter& p, const QSize& s) { Badge(p, s, n, over, stem ? 2 : 0); },
                                   qm::skins::kBadgeWidth,
                                   stem ? qm::skins::kStemBadgeHeight : qm::skins::kBadgeHeight),
                             out + QString::asprintf("/Skins/Mouse/Side/S-%d-%s.png", n, state))
                            ? 0
                            : 1;
        }
    }
    failures += Save(Paint(ScrollBarCells, 117, 48), resources + "/scrollbar.png") ? 0 : 1;
    failures += Save(Paint(Multicolour, 18, 16), resources + "/multicolour.png") ? 0 : 1;
    failures += Save(Paint(AppIcon, 64, 64), resources + "/qm517pro.png") ? 0 : 1;
    // The desktop's icons: every hicolor size, and a scalable one.
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        failures += Save(Paint(AppIcon, size, size),
                         resources + QStringLiteral("/icons/hicolor/%1x%1/apps/qm517pro.png").arg(size))
                        ? 0
                        : 1;
    }
    {
        const QString svg = resources + "/icons/hicolor/scalable/apps/qm517pro.svg";
        QDir().mkpath(QFileInfo(svg).absolutePath());
        QFile file(svg);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(AppIconSvg().toUtf8()) < 0) {
            std::fprintf(stderr, "skingen: cannot write %s\n", qPrintable(svg));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
