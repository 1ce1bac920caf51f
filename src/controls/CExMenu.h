// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QMenu>
#include <QString>
#include <vector>

#include "controls/FitText.h"

namespace qm {

// The popup menu of every window: items 20 px high (18 + 2), all of the same width, dark
// red (selected: brighter red) with white text 2 px from the left, no submenu arrows, and a
// flat three-pixel frame (one line of the selection colour, two of the background).
class CExMenu : public QMenu {
    Q_OBJECT

public:
    static constexpr int kItemHeight = 20;
    static inline const QColor kBackground{0x6F, 0x29, 0x29};
    static inline const QColor kSelected{0x8F, 0x20, 0x20};

    // `font` may be null: the application's font is used then.
    explicit CExMenu(const QFont* font = nullptr, QWidget* parent = nullptr);

    // Appends an item, or a submenu item when `submenu` is given (the submenu opens on
    // hover and carries `text` as its title).
    void AppendItem(int id, const QString& text, CExMenu* submenu = nullptr);
    // Appends an item that is on or off: a check mark at its right end says which.
    void AppendCheckItem(int id, const QString& text, bool checked);
    void SetItemWidth(int width);
    int ItemWidth() const { return m_itemWidth; }
    // Widens the items (never narrows them) so every text fits at the menu's font size.
    void WidenToTexts();
    // The room an item's text has: the item less its left padding and the style's margin.
    int TextWidth() const { return m_itemWidth - kTextMargin; }
    // How an item's text is drawn: a text too wide for its item gets a smaller font.
    FittedText FittedItem(const QAction* action) const;
    // Shows the menu at a screen point and returns the chosen command id, 0 when none.
    int Track(const QPoint& globalPos);
    // The text stored for an id (empty when the id is not in the list).
    QString TextOf(int id) const;
    // The id of an action of this menu or of one of its submenus (0 when none).
    static int IdOf(const QAction* action);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ApplyStyle();
    void FitItems();
    static constexpr int kTextMargin = 10;
    static constexpr int kCheckRoom = 16;  // right of the text of a checkable item

    int m_itemWidth = 100;
    std::vector<std::pair<int, QString>> m_items;
};

}  // namespace qm
