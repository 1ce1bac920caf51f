// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/FitText.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>
#include <algorithm>

namespace qm {

namespace {

int WidthOf(const QFont& font, const QString& text) {
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    return widest;
}

// The two lines of `text` broken at the blank that makes the wider of them narrowest
// (empty when it has no blank).
QString TwoLines(const QFont& font, const QString& text) {
    QString best;
    int bestWidth = 0;
    for (qsizetype at = text.indexOf(QLatin1Char(' ')); at > 0; at = text.indexOf(QLatin1Char(' '), at + 1)) {
        const QString lines = text.left(at) + QLatin1Char('\n') + text.mid(at + 1).trimmed();
        const int width = WidthOf(font, lines);
        if (best.isEmpty() || width < bestWidth) {
            best = lines;
            bestWidth = width;
        }
    }
    return best;
}

}  // namespace

FittedText FitText(const QFont& font, const QString& text, int width, int height, Qt::TextElideMode elide) {
    const int original = QFontInfo(font).pixelSize();
    FittedText oneLine{font, text, false, WidthOf(font, text)};
    bool oneLineFits = oneLine.width <= width;
    for (int size = original - 1; !oneLineFits && size >= kMinFittedPixelSize; --size) {
        oneLine.font.setPixelSize(size);
        oneLine.width = WidthOf(oneLine.font, text);
        oneLineFits = oneLine.width <= width;
    }
    const int oneLineSize = oneLineFits ? QFontInfo(oneLine.font).pixelSize() : 0;
    if (oneLineFits && oneLineSize >= std::min(original, kComfortablePixelSize)) {
        return oneLine;
    }
    // Two lines, where the height holds them, at the largest size they fit.
    if (height > 0) {
        FittedText twoLines{font, {}, false, 0};
        for (int size = original; size > oneLineSize && size >= kMinFittedPixelSize; --size) {
            twoLines.font.setPixelSize(size);
            twoLines.text = TwoLines(twoLines.font, text);
            if (twoLines.text.isEmpty()) {
                break;
            }
            twoLines.width = WidthOf(twoLines.font, twoLines.text);
            if (twoLines.width <= width && 2 * QFontMetrics(twoLines.font).height() <= height) {
                return twoLines;
            }
        }
    }
    if (oneLineFits) {
        return oneLine;
    }
    FittedText elided{font, text, false, 0};
    elided.font.setPixelSize(std::min(original, kMinFittedPixelSize));
    elided.text = QFontMetrics(elided.font).elidedText(text, elide, width);
    elided.elided = elided.text != text;
    elided.width = WidthOf(elided.font, elided.text);
    return elided;
}

}  // namespace qm
