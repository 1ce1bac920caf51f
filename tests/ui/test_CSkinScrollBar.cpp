// SPDX-License-Identifier: GPL-3.0-or-later
#include <QTest>
#include <gtest/gtest.h>

#include "controls/CSkinScrollBar.h"
#include "controls/SkinImage.h"

namespace qm {
namespace {

// Timers the test fires by hand; records what the bar starts and stops.
struct FakeTimers : RepeatTimers {
    std::vector<std::string>* log;
    explicit FakeTimers(std::vector<std::string>* l) : log(l) {}
    void Start(int id, int ms) override { log->push_back("start " + std::to_string(id) + " " + std::to_string(ms)); }
    void Stop(int id) override { log->push_back("stop " + std::to_string(id)); }
};

// A scrollable window behind the bar: it applies each request to its own position, as
// the page host does, and the frame mirrors the result into the bar.
struct Target : ScrollTarget {
    ScrollInfo info;
    std::vector<std::pair<int, int>> requests;
    int line = 1;
    ScrollInfo VerticalScrollInfo() const override { return info; }
    void OnVScroll(int code, int position) override {
        requests.emplace_back(code, position);
        int next = info.position;
        switch (code) {
            case SB_LINEUP: next -= line; break;
            case SB_LINEDOWN: next += line; break;
            case SB_PAGEUP: next -= info.page; break;
            case SB_PAGEDOWN: next += info.page; break;
            default: next = position; break;
        }
        info.position = std::clamp(next, info.minimum, info.maximum - info.page + 1);
    }
};

TEST(ScrollGeometry, ThumbOfTheWorkedExample) {
    ScrollInfo info{0, 562, 561, 0};
    const ScrollGeometry g = ComputeScrollGeometry(561, 13, info, false, false);
    EXPECT_EQ(g.arrow, 13);
    EXPECT_EQ(g.track, 535);
    EXPECT_EQ(g.thumb, 533);
    EXPECT_EQ(g.PartAt(0), SB_LINEUP);
    EXPECT_EQ(g.PartAt(13), SB_THUMBTRACK);
    EXPECT_EQ(g.PartAt(13 + 533), SB_PAGEDOWN);
    EXPECT_EQ(g.PartAt(560), SB_LINEDOWN);
    EXPECT_EQ(g.PartAt(-1), -1);
}

TEST(ScrollGeometry, ShortTracksAndShortBars) {
    ScrollInfo info{0, 100, 10, 50};
    EXPECT_EQ(ComputeScrollGeometry(37, 13, info, false, false).thumb, 0);  // track 11 < 12
    EXPECT_EQ(ComputeScrollGeometry(37, 13, info, false, false).PartAt(20), SB_PAGEDOWN);
    EXPECT_EQ(ComputeScrollGeometry(20, 13, info, false, false).arrow, 10);  // L - 2cw < 1
    EXPECT_EQ(ComputeScrollGeometry(200, 13, info, false, false).thumb, 17);  // 174 x 10 / 101
    ScrollInfo small{0, 100, 5, 0};
    EXPECT_EQ(ComputeScrollGeometry(200, 13, small, false, false).thumb, 12);  // at least 12
    // For drawing, no thumb when the page covers the whole range.
    ScrollInfo covered{0, 100, 200, 0};
    EXPECT_EQ(ComputeScrollGeometry(200, 13, covered, false, true).thumb, 0);
}

struct Bars : ::testing::Test {
    QWidget parent;
    Target target;
    std::vector<std::string> timers;
    CSkinScrollWnd* frame = nullptr;
    CSkinScrollBar* bar = nullptr;
    QWidget* content = nullptr;

    void SetUp() override {
        parent.resize(300, 300);
        content = new QWidget(&parent);
        content->setGeometry(0, 0, 213, 200);
        target.info = ScrollInfo{0, 999, 100, 0};
        frame = new CSkinScrollWnd(content, &target, Skins::Load(":/skins/scrollbar.png"));
        bar = frame->VerticalBar();
        bar->SetRepeatTimers(std::make_unique<FakeTimers>(&timers));
        parent.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    }
    int Position() const { return bar->GetScrollInfo().position; }
};

TEST_F(Bars, TheFrameTakesTheWindowsPlaceAndMirrorsItsState) {
    EXPECT_EQ(frame->geometry(), QRect(0, 0, 213, 200));
    EXPECT_EQ(bar->geometry(), QRect(200, 0, 13, 200));
    EXPECT_EQ(content->parentWidget(), frame);
    EXPECT_EQ(Position(), 0);
    target.info.position = 40;
    frame->Sync();
    EXPECT_EQ(Position(), 40);
    EXPECT_TRUE(bar->isEnabled());
    target.info = ScrollInfo{0, 0, 0, 0};
    frame->Sync();
    EXPECT_FALSE(bar->isEnabled());
}

TEST_F(Bars, AnArrowStepsAtOnceThenAfter500MsThenEvery100Ms) {
    target.info.position = 897;  // three lines above the end: 999 - 100 + 1 = 900
    frame->Sync();
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(6, 195));
    EXPECT_EQ(target.requests, (std::vector<std::pair<int, int>>{{SB_LINEDOWN, 897}}));
    EXPECT_EQ(timers, std::vector<std::string>{"start 200 500"});
    bar->OnTimer(200);
    EXPECT_EQ(timers, (std::vector<std::string>{"start 200 500", "stop 200", "start 100 100"}));
    bar->OnTimer(100);
    EXPECT_EQ(target.requests.size(), 3u);
    EXPECT_EQ(Position(), 900);
    // Off the arrow the repeat pauses; back on it, it goes on.
    QTest::mouseMove(bar, QPoint(6, 100));
    bar->OnTimer(100);
    EXPECT_EQ(target.requests.size(), 3u);
    QTest::mouseMove(bar, QPoint(6, 195));
    bar->OnTimer(100);
    EXPECT_EQ(target.requests.size(), 4u);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(6, 195));
    EXPECT_EQ(timers.back(), "stop 100");
    EXPECT_EQ(bar->PressedPart(), -1);
}

TEST_F(Bars, TheUpArrowStopsAtTheMinimum) {
    target.info.position = 1;
    frame->Sync();
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(6, 4));
    EXPECT_EQ(Position(), 0);
    bar->OnTimer(200);
    EXPECT_EQ(target.requests.size(), 1u);
    EXPECT_EQ(timers.back(), "stop 100");  // the repeat timer had already replaced the first
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(6, 4));
}

TEST_F(Bars, TheTrackRepeatsUntilTheThumbReachesThePointer) {
    // Track 174 px, thumb 174 x 100 / 1000 = 17 px; a press low on the track pages down.
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(6, 120));
    EXPECT_EQ(target.requests.back().first, SB_PAGEDOWN);
    int pages = 1;
    for (int tick = 0; tick < 20; ++tick) {
        bar->OnTimer(tick == 0 ? 200 : 100);
        pages = static_cast<int>(target.requests.size());
    }
    // Positions 100, 200, ... : the thumb (offset 174-17=157 x p / 900) reaches y 120 at
    // p = 600, after six pages.
    EXPECT_EQ(pages, 6);
    EXPECT_EQ(Position(), 600);
    EXPECT_EQ(bar->Geometry().PartAt(120), SB_THUMBTRACK);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(6, 120));
}

TEST_F(Bars, DraggingTheThumbTracksAndEndsWithItsPosition) {
    const ScrollGeometry g = bar->Geometry();
    const int y = g.arrow + g.offset + 5;
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(6, y));
    EXPECT_TRUE(bar->IsDragging());
    QTest::mouseMove(bar, QPoint(6, y + 31));  // 31 px of 157: 31 x 900 / 157 = 177
    ASSERT_FALSE(target.requests.empty());
    EXPECT_EQ(target.requests.back(), std::make_pair(int(SB_THUMBTRACK), 177));
    QTest::mouseMove(bar, QPoint(6, y + 500));  // beyond the end: at most 900
    EXPECT_EQ(target.requests.back(), std::make_pair(int(SB_THUMBTRACK), 900));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(6, y + 500));
    EXPECT_EQ(target.requests.back(), std::make_pair(int(SB_THUMBPOSITION), 900));
    EXPECT_FALSE(bar->IsDragging());
    EXPECT_EQ(Position(), 900);
}

}  // namespace
}  // namespace qm
