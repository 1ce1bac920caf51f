#include "controls/FitText.h"

#include <QFontInfo>
#include <QFontMetrics>

namespace qm {

FittedText FitText(const QFont& font, const QString& text, int width) {
    FittedText fitted{font, text, false};
    if (QFontMetrics(font).horizontalAdvance(text) <= width) {
        return fitted;
    }
    for (int size = QFontInfo(font).pixelSize() - 1; size >= kMinFittedPixelSize; --size) {
        fitted.font.setPixelSize(size);
        if (QFontMetrics(fitted.font).horizontalAdvance(text) <= width) {
            return fitted;
        }
    }
    fitted.font.setPixelSize(std::min(QFontInfo(font).pixelSize(), kMinFittedPixelSize));
    fitted.text = QFontMetrics(fitted.font).elidedText(text, Qt::ElideRight, width);
    fitted.elided = fitted.text != text;
    return fitted;
}

}  // namespace qm
