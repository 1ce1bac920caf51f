// SPDX-License-Identifier: GPL-3.0-or-later
#include <QTest>
#include <gtest/gtest.h>

#include "controls/CDMarker.h"
#include "controls/MessageEvent.h"

namespace qm {
namespace {

// A parent that keeps the UM_MARKER_POS it is told of.
struct Receiver : QWidget {
    std::vector<std::pair<int, int>> positions;
    bool event(QEvent* e) override {
        if (e->type() == static_cast<QEvent::Type>(UM_MARKER_POS)) {
            auto* m = static_cast<MessageEvent*>(e);
            positions.emplace_back(static_cast<int>(m->WParam()), static_cast<int>(m->LParam()));
            return true;
        }
        return QWidget::event(e);
    }
};

void Release(QWidget* marker, const QPoint& parentPoint) {
    const QPoint local = marker->mapFromParent(parentPoint);
    QMouseEvent release(QEvent::MouseButtonRelease, local, marker->mapToGlobal(local), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(marker, &release);
}

struct Markers : ::testing::Test {
    Receiver parent;
    void SetUp() override {
        parent.resize(300, 200);
        parent.show();
    }
    std::vector<std::pair<int, int>> Delivered() {
        QCoreApplication::sendPostedEvents(&parent);
        auto p = parent.positions;
        parent.positions.clear();
        return p;
    }
};

TEST_F(Markers, HorizontalValuesAtTheWorkedPoints) {
    CDMarker marker(QRect(100, 50, 128, 9), &parent, 2025);
    marker.minimum = 1;
    marker.maximum = 6;
    for (const auto& [x, value] : {std::pair{100, 1}, {164, 3}, {228, 6}, {300, 6}, {40, 1}}) {
        Release(&marker, QPoint(x, 54));
        EXPECT_EQ(Delivered(), (std::vector<std::pair<int, int>>{{value, 2025}})) << x;
        EXPECT_EQ(marker.Value(), value);
    }
}

TEST_F(Markers, VerticalValuesAtTheWorkedPoints) {
    CDMarkerV marker(QRect(25, 3, 7, 170), &parent, 2027);
    marker.minimum = 1;
    marker.maximum = 180;
    for (const auto& [y, value] : {std::pair{173, 1}, {3, 180}, {88, 90}, {190, 1}, {-20, 180}}) {
        Release(&marker, QPoint(28, y));
        EXPECT_EQ(Delivered(), (std::vector<std::pair<int, int>>{{value, 2027}})) << y;
    }
}

TEST_F(Markers, NothingIsReportedWhileDragging) {
    CDMarker marker(QRect(100, 50, 128, 9), &parent, 7);
    marker.minimum = 1;
    marker.maximum = 6;
    QTest::mousePress(&marker, Qt::LeftButton, {}, QPoint(2, 4));
    QTest::mouseMove(&marker, QPoint(64, 4));
    EXPECT_TRUE(marker.Dragging());
    EXPECT_EQ(marker.Value(), 3);
    EXPECT_TRUE(Delivered().empty());
    QTest::mouseRelease(&marker, Qt::LeftButton, {}, QPoint(127, 4));
    EXPECT_FALSE(marker.Dragging());
    EXPECT_EQ(Delivered(), (std::vector<std::pair<int, int>>{{5, 7}}));
}

TEST_F(Markers, TheBarIsFullOneStepBeforeTheMaximum) {
    CDMarker h(QRect(100, 50, 128, 9), &parent, 1);
    h.minimum = 1;
    h.maximum = 6;
    CDMarkerV v(QRect(25, 3, 7, 170), &parent, 2);
    v.minimum = 1;
    v.maximum = 180;
    const std::pair<int, int> horizontal[] = {{1, 0}, {3, 64}, {5, 128}, {6, 160}};
    for (const auto& [value, fill] : horizontal) {
        h.SetPos(value);
        EXPECT_EQ(h.FillLength(), fill) << value;
    }
    for (const auto& [value, fill] : {std::pair{1, 0}, {90, 85}, {179, 170}, {180, 170}}) {
        v.SetPos(value);
        EXPECT_EQ(v.FillLength(), fill) << value;
    }
}

TEST_F(Markers, SetPosAndSetPosClamped) {
    CDMarker m(QRect(0, 0, 128, 9), &parent, 1);
    m.minimum = 1;
    m.maximum = 11;
    m.SetPos(12);
    EXPECT_EQ(m.Value(), 1);
    m.SetPos(0);
    EXPECT_EQ(m.Value(), 1);
    m.SetPosClamped(12);
    EXPECT_EQ(m.Value(), 11);
    m.SetPosClamped(-3);
    EXPECT_EQ(m.Value(), 1);
    EXPECT_TRUE(Delivered().empty());  // the owner's calls are never reported
}

TEST_F(Markers, ARangeOfOneStepDoesNotDivideByZero) {
    CDMarker m(QRect(0, 0, 128, 9), &parent, 1);
    m.minimum = 5;
    m.maximum = 6;
    m.SetPos(5);
    EXPECT_EQ(m.FillLength(), 0);
    m.SetPos(6);
    EXPECT_EQ(m.FillLength(), 128);
    (void)m.grab();
}

TEST_F(Markers, ADisabledMarkerIgnoresTheMouse) {
    CDMarker m(QRect(100, 50, 128, 9), &parent, 3);
    m.minimum = 1;
    m.maximum = 6;
    m.setEnabled(false);
    QTest::mouseClick(&m, Qt::LeftButton, {}, QPoint(64, 4));
    EXPECT_FALSE(m.Dragging());
    EXPECT_TRUE(Delivered().empty());
}

}  // namespace
}  // namespace qm
