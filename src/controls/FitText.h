#pragma once

#include <QFont>
#include <QString>

namespace qm {

// A caption that is too wide for its button or menu item is drawn in a smaller size,
// down to kMinFittedPixelSize, before anything of it is cut: "Zurück…" for Reset tells a
// German user nothing.
constexpr int kMinFittedPixelSize = 8;

struct FittedText {
    QFont font;
    QString text;         // the text as drawn (elided only when even the smallest size is too wide)
    bool elided = false;
};

// Fits one line of text into `width` pixels.
FittedText FitText(const QFont& font, const QString& text, int width);

}  // namespace qm
