// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QLineEdit>

#include "i18n/UiStrings.h"
#include "model/SettingsRecord.h"
#include "pages/CSkinPage.h"

namespace qm {

// The Scroll Speed page: lines per wheel notch (wheelLines, 1..100, typed or stepped with
// the arrows) or one screen per notch (scrollOneScreen). The lines value survives the
// one-screen mode, in which the box is disabled and shows "0".
class CDlgMouseWheelSpeed : public CSkinPage {
    Q_OBJECT

public:
    CDlgMouseWheelSpeed(SettingsRecord& record, const UiStrings& strings, const QString& languageCode,
                        QWidget* parent);

    void RefreshWheel();
    void Refresh() override { RefreshWheel(); }

    QLineEdit* LinesBox() const { return m_edit; }

    static constexpr QRect kLinesSwitch{QPoint(5, 17), QPoint(15, 29)};
    static constexpr QRect kOneScreenSwitch{QPoint(5, 50), QPoint(15, 61)};
    static constexpr QRect kUpArrow{QPoint(190, 15), QPoint(199, 20)};
    static constexpr QRect kDownArrow{QPoint(190, 23), QPoint(199, 28)};

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // EN_CHANGE: a number outside 1..100 (or none) becomes "1" at once.
    void OnTextChanged(const QString& text);
    // Puts text into the box as the page's own change (it passes the check again).
    void ShowLines();
    // The box for the mode: the lines, or a disabled "0" in one-screen mode.
    void ShowWheel();

    SettingsRecord& m_record;
    const UiStrings& m_strings;
    QFont m_font;
    QLineEdit* m_edit = nullptr;
};

}  // namespace qm
