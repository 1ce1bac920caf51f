// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

namespace qm {

// Fonts follow the language code: "黑体" for Simplified and Traditional Chinese, "Arial"
// otherwise. Linux has neither name: substitutions map them to a CJK font (WenQuanYi Micro
// Hei) and a metric-compatible Arial (Liberation Sans).
void InstallFontSubstitutions();
QString UiFontFace(const QString& languageCode);
// A font of the given cell height (as the windows state it) and weight in the face of the
// language.
QFont UiFont(const QString& languageCode, int cellHeight, int weight = QFont::Normal);

}  // namespace qm
