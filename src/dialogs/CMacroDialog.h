// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <string>

#include "controls/SkinnedWindow.h"
#include "macros/MacroStore.h"

namespace qm {

// The macro assignment dialog: picks one of the stored macros and how it runs for the
// button being assigned (once; repeat until any button is pressed; repeat while held).
class CMacroDialog : public SkinnedWindow {
    Q_OBJECT

public:
    // The font of its texts and painted captions.
    const QFont& TextFont() const { return m_font; }
    CMacroDialog(std::string recordIniPath, const QString& languageCode, QWidget* parent = nullptr);

    // Set before Open: the button's macro, if it has one.
    int macroNumber = -1;
    int runMode = 0;
    std::string presetName;
    // The result after OK: a macroNumber below 0 means nothing was chosen.
    const std::string& ChosenName() const { return m_chosen; }

    void Open();
    int Run();

    QLabel* NameField() const { return m_field; }
    QListWidget* DropList() const { return m_list; }
    bool ListOpen() const { return m_listOpen; }

    static constexpr QRect kNameArea{QPoint(42, 128), QPoint(150, 143)};
    static constexpr QRect kListRect{QPoint(42, 146), QPoint(150, 285)};
    static QRect TickRect(int mode) { return QRect(QPoint(220, 78 + 50 * mode), QPoint(235, 93 + 50 * mode)); }
    static constexpr QRect kOk{QPoint(250, 250), QPoint(307, 274)};
    static constexpr QRect kCancel{QPoint(314, 250), QPoint(371, 274)};
    static constexpr QRect kClose{QPoint(352, 6), QPoint(369, 23)};

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool IsDragSpot(const QPoint&) const override { return false; }

private:
    QString Text(int entry) const;
    void CloseList();
    void OnListChoice(int row);

    MacroStore m_store;
    QString m_languageCode;
    std::string m_chosen;
    QFont m_font;
    QLabel* m_field = nullptr;
    QPointer<QListWidget> m_list;
    bool m_listOpen = false;
    bool m_opened = false;
};

}  // namespace qm
