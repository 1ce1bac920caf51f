// SPDX-License-Identifier: GPL-3.0-or-later
// The settings column of the main window: the page host's accordion and scrolling, the DPI
// page and the Polling Rate page, through the real window on the virtual devices.
#include <QLineEdit>
#include <QWheelEvent>

#include "MainWindowFixture.h"
#include "controls/CBitmapBtn.h"
#include "controls/CDMarker.h"
#include "controls/CSkinScrollBar.h"
#include "pages/CDlgDPISetting.h"
#include "pages/CDlgUSBReportRate.h"
#include "pages/CDlgadvance.h"

namespace qm {
namespace {

using test::kA;
using test::kB;
using test::kPad;

struct PageHost : test::MainWindow {
    CDlgadvance& Host() { return *window->PageHost(); }
    CDlgDPISetting& Dpi() { return *Host().DpiPage(); }
    CDlgUSBReportRate& Rate() { return *Host().RatePage(); }
    void ClickTitle(int section) {
        QTest::mouseClick(Host().Title(section), Qt::LeftButton, {}, QPoint(60, 10));
        QCoreApplication::sendPostedEvents();
    }
    int TitleTop(int section) { return Host().Title(section)->geometry().top(); }
    void Wheel(int delta) {
        QWheelEvent event(QPointF(100, 100), QPointF(100, 100), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&Host(), &event);
    }
    // Types into the edit box of a stage and commits it with a click on the page.
    void Type(int stage, const QString& text) {
        QTest::mouseClick(&Dpi(), Qt::LeftButton, {}, CDlgDPISetting::LabelRect(stage).center());
        ASSERT_EQ(Dpi().OpenEditBox(), stage);
        ASSERT_TRUE(Dpi().EditBox(stage)->isVisibleTo(&Dpi()));
        Dpi().EditBox(stage)->setText(text);
        QTest::mouseClick(&Dpi(), Qt::LeftButton, {}, QPoint(5, 228));
    }
    // Releases the slider of a stage at a height of its own.
    void Slide(int stage, int y) {
        CDMarkerV* slider = Dpi().Slider(stage);
        QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(3, y));
        QCoreApplication::sendPostedEvents(&Dpi());
    }
    uint8_t& Enabled(int stage) { return Record()[rec::kStageEnabled + static_cast<size_t>(stage)]; }
};

TEST_F(PageHost, TheTitlesStackWithAndWithoutThePad) {
    struct Case {
        std::set<uint16_t> devices;
        std::vector<int> tops;  // sections 0..6
    };
    const Case cases[] = {{{kA, kPad}, {2, 27, 52, 77, 102, 127, 152}},
                          {{kA}, {2, 27, -1, 52, 77, 102, 127}}};
    for (const Case& c : cases) {
        Start(c.devices);
        for (int s = 0; s < 7; ++s) {
            if (c.tops[static_cast<size_t>(s)] < 0) {
                EXPECT_FALSE(Host().Title(s)->isVisibleTo(&Host()));
            } else {
                EXPECT_TRUE(Host().Title(s)->isVisibleTo(&Host())) << s;
                EXPECT_EQ(Host().Title(s)->geometry(), QRect(0, c.tops[static_cast<size_t>(s)], 242, 20)) << s;
            }
        }
        EXPECT_FALSE(Host().Title(CDlgadvance::kAngleSnap)->isVisibleTo(&Host()));
        EXPECT_EQ(Host().ContentHeight(), 120);
        EXPECT_EQ(Host().ScrollExtent(), 563);
        // The column is 561 high: even collapsed it scrolls by two pixels, with the 533-pixel
        // thumb of a 535-pixel track.
        const CSkinScrollBar* bar = window->PageHostFrame()->VerticalBar();
        EXPECT_EQ(bar->GetScrollInfo().maximum, 562);
        EXPECT_EQ(bar->GetScrollInfo().page, 561);
        EXPECT_EQ(bar->Geometry(true).thumb, 533);
        // A column at least 563 high has nothing to scroll: a disabled bar, a wheel not taken.
        window->RestoreFromTray();
        window->PageHostFrame()->resize(260, 600);
        EXPECT_EQ(bar->GetScrollInfo().maximum, 0);
        EXPECT_FALSE(bar->isEnabled());
        Wheel(-120);
        EXPECT_EQ(Host().ScrollPosition(), 0);
        window.reset();
    }
    // The pad arrives: its title goes between Lighting and Polling Rate, all collapsed.
    Start({kA});
    ClickTitle(CDlgadvance::kDpi);
    Devices().Plug(kPad);
    DeliverHotplug();
    EXPECT_TRUE(Host().Collapsed(CDlgadvance::kDpi));
    EXPECT_TRUE(Host().Title(CDlgadvance::kPadLighting)->isVisibleTo(&Host()));
    EXPECT_EQ(TitleTop(CDlgadvance::kPadLighting), 52);
    EXPECT_EQ(TitleTop(CDlgadvance::kPollingRate), 77);
}

TEST_F(PageHost, ATitleClickTogglesItsSectionAndTheColumnScrolls) {
    Start({kA, kPad});
    window->HighlightSlot(2);
    ClickTitle(CDlgadvance::kDpi);
    EXPECT_FALSE(window->DropDownOfSlot(2)->checkedLook);  // UM_DESELECT reached the window
    EXPECT_EQ(Host().Page(CDlgadvance::kDpi)->geometry(), QRect(0, 22, 242, 232));
    EXPECT_TRUE(Host().Page(CDlgadvance::kDpi)->isVisibleTo(&Host()));
    EXPECT_EQ(TitleTop(CDlgadvance::kLighting), 259);
    EXPECT_EQ(Host().ContentHeight(), 362);
    EXPECT_EQ(Host().ScrollExtent(), 563);

    // Past the column's height the bar comes on: 120 + 242 + 202 + 145 + 120.
    ClickTitle(CDlgadvance::kLighting);
    ClickTitle(CDlgadvance::kPollingRate);
    ClickTitle(CDlgadvance::kMouseSpeed);
    EXPECT_EQ(Host().ScrollExtent(), 829);
    const ScrollInfo info = window->PageHostFrame()->VerticalBar()->GetScrollInfo();
    EXPECT_EQ(info.maximum, 828);
    EXPECT_EQ(info.page, 561);
    EXPECT_TRUE(window->PageHostFrame()->VerticalBar()->isEnabled());
    const int pollingTop = TitleTop(CDlgadvance::kPollingRate);

    // Page steps stop at extent - page.
    Host().OnVScroll(SB_PAGEDOWN, 0);
    Host().OnVScroll(SB_PAGEDOWN, 0);
    EXPECT_EQ(Host().ScrollPosition(), 268);
    EXPECT_EQ(TitleTop(CDlgadvance::kPollingRate), pollingTop - 268);
    EXPECT_EQ(window->PageHostFrame()->VerticalBar()->GetScrollInfo().position, 268);

    // Collapsing shrinks the extent and the position is clamped to it.
    ClickTitle(CDlgadvance::kLighting);
    EXPECT_EQ(Host().ScrollExtent(), 627);
    EXPECT_EQ(Host().ScrollPosition(), 65);
    EXPECT_EQ(TitleTop(CDlgadvance::kDpi), 2 - 65);
    EXPECT_EQ(TitleTop(CDlgadvance::kLighting), 259 - 65);
    EXPECT_EQ(TitleTop(CDlgadvance::kPadLighting), 284 - 65);

    // Every section collapses, in the column's own order; the two pixels of scroll that
    // a collapsed column keeps hold the position.
    Host().CollapseAll();
    EXPECT_EQ(Host().ContentHeight(), 120);
    EXPECT_EQ(Host().ScrollPosition(), 1);
    EXPECT_EQ(TitleTop(CDlgadvance::kPollingRate), 77 - 1);
    for (int s = 0; s < CDlgadvance::kSectionCount; ++s) {
        EXPECT_TRUE(Host().Collapsed(s)) << s;
        EXPECT_FALSE(Host().Page(s)->isVisibleTo(&Host())) << s;
    }
}

TEST_F(PageHost, TheWheelFollowsTheUsersSetting) {
    Start({kA, kPad});
    int lines = 3;
    Host().wheelScrollLines = [&] { return lines; };
    for (int s : {CDlgadvance::kDpi, CDlgadvance::kLighting, CDlgadvance::kPadLighting, CDlgadvance::kPollingRate}) {
        ClickTitle(s);
    }
    struct Case {
        int lines;
        int delta;
        int position;
    };
    // Extent 120 + 242 + 202 + 172 + 145 = 881: the position runs 0 .. 320.
    const Case cases[] = {{3, -120, 60},  {9, -120, 240}, {3, 120, 180}, {3, -240, 300},
                          {12, -120, 320}, {-1, 120, 0},   {-1, -120, 320}};
    for (const Case& c : cases) {
        lines = c.lines;
        Wheel(c.delta);
        EXPECT_EQ(Host().ScrollPosition(), c.position) << c.lines << " " << c.delta;
    }
}

TEST_F(PageHost, TypedDpiValuesUnderBothScales) {
    struct Case {
        std::set<uint16_t> devices;
        const char* typed;
        size_t field;
        uint8_t raw;
        int shown;
    };
    const Case cases[] = {
        {{kA}, "49", rec::kDpiValueA, 1, 50},          {{kA}, "7200", rec::kDpiValueA, 144, 7200},
        {{kA}, "7299", rec::kDpiValueA, 144, 7200},    {{kA}, "7300", rec::kDpiValueA, 145, 7300},
        {{kA}, "10800", rec::kDpiValueA, 180, 10800},  {{kA}, "12000", rec::kDpiValueA, 180, 10800},
        {{kA}, "7250", rec::kDpiValueA, 144, 7200},    {{kA}, "abc", rec::kDpiValueA, 1, 50},
        {{kB}, "50", rec::kDpiValueB, 1, 100},         {{kB}, "150", rec::kDpiValueB, 1, 100},
        {{kB}, "12345", rec::kDpiValueB, 120, 12000},  {{kB}, "abc", rec::kDpiValueB, 1, 100},
        {{kA, kB}, "3000", rec::kDpiValueA, 60, 3000},
    };
    for (const Case& c : cases) {
        Start(c.devices);
        ClickTitle(CDlgadvance::kDpi);
        const SettingsRecord before = Record();
        Type(2, QString::fromLatin1(c.typed));
        EXPECT_EQ(Record()[c.field + 2], c.raw) << c.typed;
        EXPECT_EQ(Dpi().StageDpi(2), c.shown) << c.typed;
        EXPECT_EQ(Dpi().Slider(2)->Value(), c.raw) << c.typed;
        EXPECT_EQ(Dpi().OpenEditBox(), -1);
        EXPECT_FALSE(Dpi().EditBox(2)->isVisibleTo(&Dpi()));
        // Only the stage's value changed (the other scale's value stays).
        SettingsRecord expected = before;
        expected[c.field + 2] = c.raw;
        EXPECT_EQ(Record(), expected) << c.typed;
        window.reset();
    }
}

TEST_F(PageHost, EnterCommitsTheBoxThatHasTheFocusAndClosesNothing) {
    Start({kA});
    window->RestoreFromTray();
    ClickTitle(CDlgadvance::kDpi);
    QTest::mouseClick(&Dpi(), Qt::LeftButton, {}, CDlgDPISetting::LabelRect(4).center());
    QLineEdit* edit = Dpi().EditBox(4);
    edit->setFocus();
    edit->setText("800");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(Record()[rec::kDpiValueA + 4], 16);
    EXPECT_FALSE(edit->isVisibleTo(&Dpi()));
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Space, Qt::Key_F1}) {
        QTest::keyClick(&Dpi(), key);
    }
    EXPECT_TRUE(window->isVisible());
}

TEST_F(PageHost, SlidersSwitchesAndSwatches) {
    Start({kA});
    ClickTitle(CDlgadvance::kDpi);
    int prompts = 0;
    std::optional<QColor> answer;
    Dpi().chooseColour = [&] {
        ++prompts;
        return answer;
    };
    Enabled(3) = 0;
    Host().RefreshPages();
    // A slider released on a disabled stage switches it on: y 88 of 3..173 gives 90.
    Slide(3, 88 - 3);
    EXPECT_EQ(Record()[rec::kDpiValueA + 3], 90);
    EXPECT_EQ(Enabled(3), 1);
    // The switch turns it off again; the value stays.
    QTest::mouseClick(&Dpi(), Qt::LeftButton, {}, CDlgDPISetting::SwitchRect(3).center());
    EXPECT_EQ(Enabled(3), 0);
    EXPECT_EQ(Record()[rec::kDpiValueA + 3], 90);
    // The colour of a disabled stage cannot be changed.
    QTest::mouseClick(&Dpi(), Qt::LeftButton, {}, CDlgDPISetting::SwatchRect(3).center());
    EXPECT_EQ(prompts, 0);
    QTest::mouseClick(&Dpi(), Qt::LeftButton, {}, CDlgDPISetting::SwitchRect(3).center());
    QTest::mouseClick(&Dpi(), Qt::LeftButton, {}, CDlgDPISetting::SwatchRect(3).center());
    EXPECT_EQ(prompts, 1);
    EXPECT_EQ(Record().Colour(rec::kStageColour, 3), (Rgb{0xFF, 0xFF, 0x00}));  // cancelled
    answer = QColor(0x12, 0x34, 0x56);
    QTest::mouseClick(&Dpi(), Qt::LeftButton, {}, CDlgDPISetting::SwatchRect(3).center());
    EXPECT_EQ(Record().Colour(rec::kStageColour, 3), (Rgb{0x12, 0x34, 0x56}));
    const QImage shot = Dpi().grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(CDlgDPISetting::SwatchRect(3).center())), QColor(0x12, 0x34, 0x56));
}

TEST_F(PageHost, ASliderMovedWhileABoxIsOpenKeepsItsValue) {
    Start({kA});
    ClickTitle(CDlgadvance::kDpi);
    QTest::mouseClick(&Dpi(), Qt::LeftButton, {}, CDlgDPISetting::LabelRect(1).center());
    ASSERT_EQ(Dpi().OpenEditBox(), 1);
    Slide(1, 0);  // the top: 180
    EXPECT_EQ(Record()[rec::kDpiValueA + 1], 180);
    QTest::mouseClick(&Dpi(), Qt::LeftButton, {}, QPoint(5, 228));
    EXPECT_EQ(Record()[rec::kDpiValueA + 1], 180);
}

TEST_F(PageHost, TheScaleFollowsTheMice) {
    Start({kA, kB});
    EXPECT_EQ(Dpi().DpiScale(), 0);
    Record()[rec::kDpiValueA + 6] = 180;
    Record()[rec::kDpiValueB + 6] = 77;
    Host().RefreshPages();
    EXPECT_EQ(Dpi().Slider(6)->Value(), 180);
    Devices().Unplug(kA);
    DeliverHotplug();
    EXPECT_EQ(Dpi().DpiScale(), 1);
    EXPECT_EQ(Dpi().Slider(6)->maximum, 120);
    EXPECT_EQ(Dpi().Slider(6)->Value(), 77);
    EXPECT_EQ(Dpi().StageDpi(6), 7700);
    EXPECT_EQ(Record()[rec::kDpiValueA + 6], 180);  // the other scale's value stays
    // A raw value above the scale's range shows clamped.
    Record()[rec::kDpiValueB + 5] = 200;
    Host().RefreshPages();
    EXPECT_EQ(Dpi().Slider(5)->Value(), 120);
    EXPECT_EQ(Record()[rec::kDpiValueB + 5], 200);
}

TEST_F(PageHost, ThePollingRateDial) {
    Start({kA});
    ClickTitle(CDlgadvance::kPollingRate);
    struct Case {
        QPoint at;
        uint8_t interval;  // 0: unchanged
    };
    const Case cases[] = {
        {{150, 40}, 1}, {{90, 40}, 8}, {{90, 90}, 4}, {{150, 90}, 2},
        {{121, 26}, 0},   // on the vertical axis
        {{81, 66}, 0},    // on the horizontal axis
        {{142, 45}, 0},   // r = 29.7: the hub
        {{171, 17}, 0},   // r = 70: outside the ring
        {{165, 66 - 43}, 1},
    };
    for (const Case& c : cases) {
        Record()[rec::kReportInterval] = 3;
        QTest::mouseClick(&Rate(), Qt::LeftButton, {}, c.at);
        EXPECT_EQ(Record()[rec::kReportInterval], c.interval == 0 ? 3 : c.interval) << c.at.x() << "," << c.at.y();
    }
    // An unset rate shows 500 Hz and is written back as 2 when the page paints.
    Record()[rec::kReportInterval] = 0;
    const QImage shot = Rate().grab().toImage();
    EXPECT_EQ(Record()[rec::kReportInterval], 2);
    EXPECT_EQ(shot, Rate().grab().toImage());
    Record()[rec::kReportInterval] = 1;
    EXPECT_NE(shot, Rate().grab().toImage());
}

TEST_F(PageHost, RestoreAndResetCollapseTheColumnAndReloadThePages) {
    Start({kA});
    window->RestoreFromTray();
    ClickTitle(CDlgadvance::kDpi);
    ClickTitle(CDlgadvance::kPollingRate);
    Type(0, "1600");
    window->OnClose();
    window->RestoreFromTray();  // reloads the profile: the edit was never applied
    EXPECT_TRUE(Host().Collapsed(CDlgadvance::kDpi));
    EXPECT_TRUE(Host().Collapsed(CDlgadvance::kPollingRate));
    EXPECT_EQ(Dpi().Slider(0)->Value(), 12);
    ClickTitle(CDlgadvance::kDpi);
    Dpi().Slider(0)->SetPos(50);
    ResetAndWait();
    EXPECT_TRUE(Host().Collapsed(CDlgadvance::kDpi));
    EXPECT_EQ(Dpi().Slider(0)->Value(), 12);
}

TEST_F(PageHost, WhatThePagesSetReachesTheMouseOnApply) {
    Start({kA, kPad});
    window->RestoreFromTray();
    ClickTitle(CDlgadvance::kDpi);
    ClickTitle(CDlgadvance::kPollingRate);
    Type(1, "1600");                                   // raw 32
    QTest::mouseClick(&Dpi(), Qt::LeftButton, {}, CDlgDPISetting::SwitchRect(6).center());  // stage 7 off
    Dpi().chooseColour = [] { return std::optional<QColor>(QColor(0x10, 0x20, 0x30)); };
    QTest::mouseClick(&Dpi(), Qt::LeftButton, {}, CDlgDPISetting::SwatchRect(0).center());
    QTest::mouseClick(&Rate(), Qt::LeftButton, {}, QPoint(90, 40));  // 125 Hz
    ApplyAndWait();
    const VirtualMouseState mouse = Devices().MouseState(kA);
    EXPECT_EQ(test::ToHex(mouse.dpiCodes), "0B 1F 2F 47 6B 8F B3");
    EXPECT_EQ(mouse.stageMask, 0xBF);
    EXPECT_EQ(test::ToHex(mouse.stageColours.data(), 21),
              "10 20 30 00 00 FF 00 FF 00 FF FF 00 00 FF FF FF 80 00 FF 00 FF");
    EXPECT_EQ(mouse.interval, 8);
    const std::string saved = test::ReadFile(folder + "config0.bin");
    ASSERT_EQ(saved.size(), 1885u);
    EXPECT_EQ(static_cast<uint8_t>(saved[1 + rec::kDpiValueA + 1]), 32);
    EXPECT_EQ(static_cast<uint8_t>(saved[1 + rec::kStageEnabled + 6]), 0);
    EXPECT_EQ(test::ToHex(reinterpret_cast<const uint8_t*>(saved.data()) + 1 + rec::kStageColour, 3), "10 20 30");
    EXPECT_EQ(static_cast<uint8_t>(saved[1 + rec::kReportInterval]), 8);
}

}  // namespace
}  // namespace qm
