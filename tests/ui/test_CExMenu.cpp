// SPDX-License-Identifier: GPL-3.0-or-later
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "controls/CExMenu.h"

namespace qm {
namespace {

TEST(CExMenu, ItemsAre20PixelsHighAndAllOfTheSameWidth) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    CExMenu menu(&font);
    CExMenu* dpi = new CExMenu(&font, &menu);
    dpi->SetItemWidth(90);
    dpi->AppendItem(2020, QStringLiteral("DPI +"));
    menu.SetItemWidth(130);
    menu.AppendItem(2001, QStringLiteral("Click"));
    menu.AppendItem(2060, QStringLiteral("A very long item text that is wider than the menu"));
    menu.AppendItem(0, QStringLiteral("DPI Setting +"), dpi);
    menu.AppendItem(2013, QStringLiteral("Deactivated"));
    menu.popup(QPoint(100, 100));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    int top = -1;
    for (QAction* action : menu.actions()) {
        const QRect r = menu.actionGeometry(action);
        EXPECT_EQ(r.height(), CExMenu::kItemHeight) << qPrintable(action->text());
        EXPECT_EQ(r.width(), 130) << qPrintable(action->text());
        if (top >= 0) {
            EXPECT_EQ(r.top(), top + CExMenu::kItemHeight);
        }
        top = r.top();
    }
    EXPECT_EQ(menu.width(), 130 + 6);  // the three-pixel frame on both sides
    EXPECT_EQ(menu.TextOf(2060), QStringLiteral("A very long item text that is wider than the menu"));
    EXPECT_EQ(menu.TextOf(4242), QString());
    EXPECT_EQ(CExMenu::IdOf(menu.actions().at(0)), 2001);
    menu.hide();
}

TEST(CExMenu, TrackReturnsTheChosenCommand) {
    CExMenu menu;
    menu.AppendItem(2, QStringLiteral("Exit"));
    QTimer::singleShot(50, &menu, [&] {
        QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(menu.actions().at(0)).center());
    });
    EXPECT_EQ(menu.Track(QPoint(10, 10)), 2);
    QTimer::singleShot(50, &menu, [&] { menu.close(); });
    EXPECT_EQ(menu.Track(QPoint(10, 10)), 0);
}

TEST(CExMenu, TheFrameAndItemsUseTheProductColours) {
    CExMenu menu;
    menu.SetItemWidth(100);
    menu.AppendItem(1, QStringLiteral("One"));
    menu.popup(QPoint(0, 0));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    const QImage shot = menu.grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(0, 0)), CExMenu::kSelected);       // outer line
    EXPECT_EQ(QColor(shot.pixel(1, 1)), CExMenu::kBackground);     // inner lines
    EXPECT_EQ(QColor(shot.pixel(2, 10)), CExMenu::kBackground);
    EXPECT_EQ(QColor(shot.pixel(90, 12)), CExMenu::kBackground);   // an item, not selected
    menu.hide();
}

}  // namespace
}  // namespace qm
