// SPDX-License-Identifier: GPL-3.0-or-later
#include "SkinArt.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace skinart {

QImage Canvas(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void Setup(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QFont Font(int pixelSize, bool bold) {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

void Surface(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom, qreal radius,
             const QColor& outline) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.save();
    p.setPen(outline.isValid() ? QPen(outline, 1) : Qt::NoPen);
    p.setBrush(g);
    const QRectF shape = outline.isValid() ? r.adjusted(0.5, 0.5, -0.5, -0.5) : r;
    if (radius > 0) {
        p.drawRoundedRect(shape, radius, radius);
    } else {
        p.drawRect(shape);
    }
    p.restore();
}

void AccentLine(QPainter& p, qreal x1, qreal x2, qreal y, qreal width) {
    QLinearGradient g(x1, y, x2, y);
    g.setColorAt(0, kAccentLight);
    g.setColorAt(0.6, kAccent);
    g.setColorAt(1, QColor(kAccent.red(), kAccent.green(), kAccent.blue(), 0));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRect(QRectF(x1, y, x2 - x1, width));
    p.restore();
}

void ButtonFace(QPainter& p, const QRectF& r, Face face, qreal radius) {
    switch (face) {
        case Face::kNormal:
            Surface(p, r, kRaisedHi, kRaised, radius, kLine);
            break;
        case Face::kHover:
            Surface(p, r, kAccentLight, kAccent, radius, kAccentLight.lighter(120));
            break;
        case Face::kPressed:
            Surface(p, r, kAccentSelected.darker(130), kAccentSelected, radius, kAccentLight);
            break;
        case Face::kDisabled:
            Surface(p, r, kPanel, kPanel, radius, kLine.darker(120));
            break;
    }
    if (face != Face::kDisabled) {
        // A thin light line along the top edge gives the face some relief.
        p.save();
        p.setPen(QPen(QColor(255, 255, 255, face == Face::kPressed ? 18 : 40), 1));
        p.drawLine(QPointF(r.left() + radius, r.top() + 1.5), QPointF(r.right() - radius, r.top() + 1.5));
        p.restore();
    }
}

void Wordmark(QPainter& p, const QRectF& r, int pixelSize, Qt::Alignment align) {
    p.save();
    QFont f = Font(pixelSize, true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, pixelSize / 8.0);
    p.setFont(f);
    const QString model = QStringLiteral("QM517");
    const QString pro = QStringLiteral(" PRO");
    const QFontMetricsF fm(f);
    const qreal width = fm.horizontalAdvance(model + pro);
    qreal x = r.left();
    if (align & Qt::AlignHCenter) {
        x = r.center().x() - width / 2;
    } else if (align & Qt::AlignRight) {
        x = r.right() - width;
    }
    const qreal y = r.center().y() + (fm.ascent() - fm.descent()) / 2;
    p.setPen(kText);
    p.drawText(QPointF(x, y), model);
    p.setPen(kAccentLight);
    p.drawText(QPointF(x + fm.horizontalAdvance(model), y), pro);
    p.restore();
}

namespace {

QLinearGradient Shell(const QPointF& from, const QPointF& to) {
    QLinearGradient g(from, to);
    g.setColorAt(0, QColor(0x3A, 0x3A, 0x45));
    g.setColorAt(0.45, QColor(0x24, 0x24, 0x2C));
    g.setColorAt(1, QColor(0x12, 0x12, 0x17));
    return g;
}

void Glow(QPainter& p, const QPainterPath& path, const QColor& colour, qreal width) {
    p.save();
    for (int i = 4; i >= 1; --i) {
        QColor c = colour;
        c.setAlpha(28 * (5 - i));
        p.setPen(QPen(c, width + 2.5 * i, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
    p.setPen(QPen(colour.lighter(130), width, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(path);
    p.restore();
}

}  // namespace

void MouseTop(QPainter& p, qreal cx, qreal top, qreal bottom) {
    const qreal h = bottom - top;
    // The shell: narrow front, widest behind the middle, rounded rear.
    QPainterPath body;
    body.moveTo(cx, top);
    body.cubicTo(cx + 60, top, cx + 88, top + 0.10 * h, cx + 95, top + 0.30 * h);
    body.cubicTo(cx + 104, top + 0.50 * h, cx + 106, top + 0.72 * h, cx + 92, top + 0.88 * h);
    body.cubicTo(cx + 78, bottom - 2, cx + 30, bottom, cx, bottom);
    body.cubicTo(cx - 30, bottom, cx - 78, bottom - 2, cx - 92, top + 0.88 * h);
    body.cubicTo(cx - 106, top + 0.72 * h, cx - 104, top + 0.50 * h, cx - 95, top + 0.30 * h);
    body.cubicTo(cx - 88, top + 0.10 * h, cx - 60, top, cx, top);

    p.save();
    // Shadow under the mouse.
    p.setPen(Qt::NoPen);
    QRadialGradient shadow(QPointF(cx + 6, top + 0.55 * h), h * 0.55);
    shadow.setColorAt(0, QColor(0, 0, 0, 150));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    p.setBrush(shadow);
    p.drawEllipse(QPointF(cx + 6, top + 0.55 * h), 120, h * 0.52);

    p.setBrush(Shell(QPointF(cx - 100, top), QPointF(cx + 100, bottom)));
    p.setPen(QPen(QColor(0x55, 0x55, 0x63), 1.2));
    p.drawPath(body);

    // The two main buttons, split down the middle, ending in a gentle arc.
    const qreal split = top + 0.41 * h;
    QPainterPath buttons;
    buttons.moveTo(cx - 97, split + 8);
    buttons.quadTo(cx, split - 14, cx + 97, split + 8);
    p.setPen(QPen(QColor(0x0C, 0x0C, 0x10), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(buttons);
    p.drawLine(QPointF(cx, top + 1), QPointF(cx, split - 6));
    // A soft sheen on each button.
    for (int side : {-1, 1}) {
        QPainterPath sheen;
        sheen.moveTo(cx + side * 8, top + 14);
        sheen.quadTo(cx + side * 60, top + 14, cx + side * 78, top + 0.3 * h);
        p.setPen(QPen(QColor(255, 255, 255, 30), 5, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(sheen);
    }

    // Wheel with ribs, between the buttons.
    const QRectF wheel(cx - 9, top + 0.23 * h, 18, 0.16 * h);
    p.setPen(QPen(QColor(0x08, 0x08, 0x0A), 1));
    p.setBrush(QColor(0x0E, 0x0E, 0x12));
    p.drawRoundedRect(wheel.adjusted(-3, -3, 3, 3), 6, 6);
    QLinearGradient wg(wheel.topLeft(), wheel.topRight());
    wg.setColorAt(0, QColor(0x30, 0x30, 0x38));
    wg.setColorAt(0.5, QColor(0x6A, 0x6A, 0x78));
    wg.setColorAt(1, QColor(0x30, 0x30, 0x38));
    p.setBrush(wg);
    p.drawRoundedRect(wheel, 5, 5);
    p.setPen(QPen(QColor(0x1A, 0x1A, 0x20), 1));
    for (qreal y = wheel.top() + 5; y < wheel.bottom() - 3; y += 5) {
        p.drawLine(QPointF(wheel.left() + 3, y), QPointF(wheel.right() - 3, y));
    }

    // DPI up and down behind the wheel, with the stage light between them.
    for (int i = 0; i < 2; ++i) {
        const QRectF key(cx - 9, top + 0.445 * h + i * 0.088 * h, 18, 0.066 * h);
        Surface(p, key, QColor(0x3C, 0x3C, 0x48), QColor(0x22, 0x22, 0x2A), 4, QColor(0x0C, 0x0C, 0x10));
        p.setPen(QPen(kMuted, 1.4));
        const qreal my = key.center().y();
        if (i == 0) {
            p.drawLine(QPointF(cx - 4, my + 2), QPointF(cx, my - 2));
            p.drawLine(QPointF(cx, my - 2), QPointF(cx + 4, my + 2));
        } else {
            p.drawLine(QPointF(cx - 4, my - 2), QPointF(cx, my + 2));
            p.drawLine(QPointF(cx, my + 2), QPointF(cx + 4, my - 2));
        }
    }

    // Two thumb buttons on the left flank.
    for (qreal y : {top + 0.455 * h, top + 0.625 * h}) {
        const QRectF key(cx - 110, y, 16, 0.09 * h);
        Surface(p, key, QColor(0x44, 0x44, 0x50), QColor(0x26, 0x26, 0x2E), 5, QColor(0x0C, 0x0C, 0x10));
    }

    // The light strip around the rear and the product mark on the palm rest.
    QPainterPath strip;
    strip.moveTo(cx - 84, top + 0.80 * h);
    strip.cubicTo(cx - 66, bottom - 14, cx + 66, bottom - 14, cx + 84, top + 0.80 * h);
    Glow(p, strip, kAccentLight, 2.2);
    p.setPen(QColor(255, 255, 255, 70));
    p.setFont(Font(11, true));
    p.drawText(QRectF(cx - 40, top + 0.70 * h, 80, 14), Qt::AlignCenter, QStringLiteral("QM517"));
    p.restore();
}

void MouseSide(QPainter& p, const QPointF& o) {
    const auto at = [&](qreal x, qreal y) { return QPointF(o.x() + x, o.y() + y); };
    // Seen from the left: the front points left, the thumb buttons sit high on the flank.
    QPainterPath body;
    body.moveTo(at(22, 184));
    body.cubicTo(at(6, 182), at(4, 150), at(12, 128));
    body.cubicTo(at(20, 95), at(40, 64), at(80, 54));
    body.cubicTo(at(140, 40), at(200, 22), at(240, 22));
    body.cubicTo(at(300, 22), at(360, 50), at(384, 110));
    body.cubicTo(at(396, 150), at(390, 182), at(368, 184));
    body.closeSubpath();

    p.save();
    p.setPen(Qt::NoPen);
    QRadialGradient shadow(at(200, 190), 200);
    shadow.setColorAt(0, QColor(0, 0, 0, 160));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    p.setBrush(shadow);
    p.drawEllipse(at(200, 188), 200, 14);

    p.setBrush(Shell(at(0, 20), at(0, 184)));
    p.setPen(QPen(QColor(0x55, 0x55, 0x63), 1.2));
    p.drawPath(body);

    // Where the buttons end on the top shell, and the seam along the flank.
    p.setPen(QPen(QColor(0x0C, 0x0C, 0x10), 2));
    p.drawLine(at(150, 38), at(158, 66));
    QPainterPath seam;
    seam.moveTo(at(14, 140));
    seam.cubicTo(at(120, 112), at(280, 110), at(386, 128));
    p.setPen(QPen(QColor(0x0C, 0x0C, 0x10), 1.5));
    p.drawPath(seam);

    // The wheel standing out of the shell.
    p.setPen(QPen(QColor(0x08, 0x08, 0x0A), 1));
    QLinearGradient wg(at(128, 28), at(160, 28));
    wg.setColorAt(0, QColor(0x30, 0x30, 0x38));
    wg.setColorAt(0.5, QColor(0x6A, 0x6A, 0x78));
    wg.setColorAt(1, QColor(0x30, 0x30, 0x38));
    p.setBrush(wg);
    p.drawEllipse(at(142, 44), 17, 12);

    // The two thumb buttons.
    for (const QRectF& key : {QRectF(at(196, 58), QSizeF(42, 14)), QRectF(at(252, 54), QSizeF(42, 14))}) {
        Surface(p, key, QColor(0x4A, 0x4A, 0x58), QColor(0x26, 0x26, 0x2E), 6, QColor(0x0C, 0x0C, 0x10));
    }

    // Dotted leads from the image's top edge down to the buttons whose badges float above:
    // right and left button, DPI up and down.
    p.setPen(QPen(QColor(0xC2, 0x44, 0x44, 170), 1.2, Qt::DotLine));
    for (const QPointF& end : {at(62, 54), at(127, 40), at(187, 26), at(214, 23)}) {
        p.drawLine(QPointF(end.x(), o.y()), end);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(kAccentLight);
    for (const QPointF& end : {at(62, 56), at(187, 28), at(214, 25)}) {
        p.drawEllipse(end, 2.2, 2.2);
    }

    // The light strip along the base and a sheen along the back.
    QPainterPath strip;
    strip.moveTo(at(40, 172));
    strip.lineTo(at(352, 172));
    Glow(p, strip, kAccentLight, 2.2);
    QPainterPath sheen;
    sheen.moveTo(at(90, 60));
    sheen.cubicTo(at(170, 38), at(250, 30), at(330, 52));
    p.setPen(QPen(QColor(255, 255, 255, 34), 5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(sheen);
    p.restore();
}

}  // namespace skinart
