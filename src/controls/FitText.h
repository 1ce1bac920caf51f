// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

namespace qm {

// A caption that is too wide for its button or menu item is drawn in a smaller size,
// down to kMinFittedPixelSize, before anything of it is cut: "Zurück…" for Reset tells a
// German user nothing. Where the control is tall enough for two lines, a caption of
// several words that would need a tiny size on one line ("Aufzeichnung beenden" on the
// Record button) is broken into two at a larger size.
constexpr int kMinFittedPixelSize = 8;
// Below this size a caption is taken in two lines where they fit at a larger size.
constexpr int kComfortablePixelSize = 10;

struct FittedText {
    QFont font;
    QString text;         // the text as drawn: one line, or two joined by '\n'; elided only
                          // when even the smallest size is too wide
    bool elided = false;
    int width = 0;        // of its widest line, in pixels
};

// Fits a caption into `width` pixels, and into `height` (0: one line whatever the height).
// Even at the smallest size too wide, it is elided where `elide` says.
FittedText FitText(const QFont& font, const QString& text, int width, int height = 0,
                   Qt::TextElideMode elide = Qt::ElideRight);

}  // namespace qm
