// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

// Drawing helpers shared by the skin painters: one palette, one set of surfaces, so every
// window of the utility looks like the same product.
namespace skinart {

// Dark surfaces and the product's dark red (RGB 6F 29 29; selected items 8F 20 20).
inline const QColor kDeep(0x10, 0x10, 0x15);
inline const QColor kPanel(0x1A, 0x1A, 0x21);
inline const QColor kRaised(0x25, 0x25, 0x2E);
inline const QColor kRaisedHi(0x31, 0x31, 0x3C);
inline const QColor kLine(0x3A, 0x3A, 0x47);
inline const QColor kAccent(0x6F, 0x29, 0x29);
inline const QColor kAccentSelected(0x8F, 0x20, 0x20);
inline const QColor kAccentLight(0xC2, 0x44, 0x44);
inline const QColor kText(0xFD, 0xFD, 0xFD);
inline const QColor kMuted(0x8C, 0x8C, 0x99);

QImage Canvas(int width, int height);
void Setup(QPainter& p);
QFont Font(int pixelSize, bool bold = false);

// A vertical gradient fill of a rounded rectangle with a 1 px outline.
void Surface(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom,
             qreal radius = 0, const QColor& outline = QColor());
// The accent line under a header or title bar.
void AccentLine(QPainter& p, qreal x1, qreal x2, qreal y, qreal width = 2);
// A push button face: normal, hover (lit), pressed (darker, accent), disabled (flat, grey).
enum class Face { kNormal, kHover, kPressed, kDisabled };
void ButtonFace(QPainter& p, const QRectF& r, Face face, qreal radius = 3);
// The product name set in the logo style.
void Wordmark(QPainter& p, const QRectF& r, int pixelSize, Qt::Alignment align);

// The mouse in top view (centred on `centreX`, between `top` and `bottom`) and side view.
void MouseTop(QPainter& p, qreal centreX, qreal top, qreal bottom);
void MouseSide(QPainter& p, const QPointF& origin);

}  // namespace skinart
