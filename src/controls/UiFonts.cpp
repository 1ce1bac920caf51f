// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/UiFonts.h"

#include <QStringList>

#include "controls/FontHeight.h"

namespace qm {

void InstallFontSubstitutions() {
    const QStringList cjk = {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                             QStringLiteral("Droid Sans Fallback")};
    for (const QString& face : {QStringLiteral("黑体"), QStringLiteral("SimHei"), QStringLiteral("宋体"),
                                QStringLiteral("SimSun")}) {
        QFont::insertSubstitutions(face, cjk);
    }
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
}

QString UiFontFace(const QString& languageCode) {
    return (languageCode == QLatin1String("CHS") || languageCode == QLatin1String("CHT"))
               ? QStringLiteral("黑体")
               : QStringLiteral("Arial");
}

QFont UiFont(const QString& languageCode, int cellHeight, int weight) {
    QFont font(UiFontFace(languageCode));
    font.setPixelSize(FontPixelSize(cellHeight));
    font.setWeight(static_cast<QFont::Weight>(weight));
    return font;
}

}  // namespace qm
