// SPDX-License-Identifier: GPL-3.0-or-later
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "controls/CBitmapBtn.h"
#include "controls/SkinImage.h"

namespace qm {
namespace {

const QString kNormal = "\\skins\\button-cancel-normal.png";
const QString kOver = "\\skins\\button-cancel-over.png";
const QString kPressed = "\\skins\\button-cancel-leave.png";
const QString kDisabled = "\\skins\\button-save-leave.png";
const QRect kCut(0, 0, 57, 30);

struct Buttons : ::testing::Test {
    QWidget window;
    CBitmapBtn* button = new CBitmapBtn(&window);
    CBitmapBtn* neighbour = new CBitmapBtn(&window);

    void SetUp() override {
        window.resize(200, 60);
        button->setGeometry(10, 10, 57, 30);
        neighbour->setGeometry(67, 10, 57, 30);
        for (CBitmapBtn* b : {button, neighbour}) {
            b->SetBitmaps(kCut, kNormal, kOver, kPressed, kDisabled);
        }
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    static QImage Expected(const QString& path) { return Skins::Cut(Skins::Load(path), kCut); }
};

TEST_F(Buttons, TheImageFollowsTheState) {
    EXPECT_EQ(button->CurrentImage(), Expected(kNormal));
    QTest::mouseMove(button, QPoint(20, 15));
    EXPECT_TRUE(button->IsHover());
    EXPECT_EQ(button->CurrentImage(), Expected(kOver));
    button->SetChecked(true);
    EXPECT_EQ(button->CurrentImage(), Expected(kPressed));
    button->setEnabled(false);  // disabled wins over checked
    EXPECT_EQ(button->CurrentImage(), Expected(kDisabled));
    button->setEnabled(true);
    button->SetChecked(false);
    button->setDown(true);
    EXPECT_EQ(button->CurrentImage(), Expected(kPressed));
}

TEST_F(Buttons, HoverMovesFromOneButtonToItsNeighbour) {
    QTest::mouseMove(button, QPoint(50, 15));
    EXPECT_TRUE(button->IsHover());
    QTest::mouseMove(neighbour, QPoint(5, 15));
    EXPECT_FALSE(button->IsHover());
    EXPECT_TRUE(neighbour->IsHover());
}

TEST_F(Buttons, ClickReleaseAndPointerMovesReachTheParent) {
    QSignalSpy clicked(button, &QAbstractButton::clicked);
    QSignalSpy released(button, &CBitmapBtn::released);
    QSignalSpy moved(button, &CBitmapBtn::pointerMoved);
    QTest::mouseMove(button, QPoint(12, 7));
    ASSERT_GE(moved.count(), 1);
    // Positions arrive in screen coordinates, not the parent's.
    EXPECT_EQ(moved.last().at(1).toPoint(), button->mapToGlobal(QPoint(12, 7)));
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(12, 7));
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(released.count(), 1);
    // A release outside the button is no click, but the parent still hears of it.
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(12, 7));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(150, 50));
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(released.count(), 2);
}

TEST_F(Buttons, ADragAcrossTheButtonStartsNoHover) {
    // Start with the pointer away from the button (whatever earlier tests left behind).
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    ASSERT_FALSE(button->IsHover());
    QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(180, 50));
    QMouseEvent move(QEvent::MouseMove, QPointF(20, 15), button->mapToGlobal(QPointF(20, 15)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QSignalSpy moved(button, &CBitmapBtn::pointerMoved);
    QApplication::sendEvent(button, &move);
    EXPECT_FALSE(button->IsHover());
    EXPECT_EQ(moved.count(), 0);
    QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(180, 50));
}

TEST_F(Buttons, CaptionIsDrawnInItsColour) {
    button->caption = QStringLiteral("Apply");
    button->alignment = CBitmapBtn::kCentre;
    button->fontHeight = 13;
    button->fontFace = QStringLiteral("Arial");  // as the window sets it: Liberation Sans
    const auto whitePixels = [&] {
        const QImage shot = button->grab().toImage();
        int n = 0;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                const QRgb c = shot.pixel(x, y);
                n += (qRed(c) >= 250 && qGreen(c) >= 250 && qBlue(c) >= 250) ? 1 : 0;
            }
        }
        return n;
    };
    EXPECT_GT(whitePixels(), 10);
    button->caption.clear();
    EXPECT_EQ(whitePixels(), 0);
}

}  // namespace
}  // namespace qm
