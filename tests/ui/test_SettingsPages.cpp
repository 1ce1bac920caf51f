// SPDX-License-Identifier: GPL-3.0-or-later
// The lighting pages of the mouse and the pad, the pointer pages and the angle snapping
// page, through the real window on the virtual devices (and standalone where a page has
// something of its own to check).
#include <QLineEdit>
#include <QWheelEvent>

#include "MainWindowFixture.h"
#include "controls/CBitmapBtn.h"
#include "controls/CDMarker.h"
#include "pages/CDlgAngleSnap.h"
#include "pages/CDlgDoubleClick.h"
#include "pages/CDlgLighting.h"
#include "pages/CDlgLightingPad.h"
#include "pages/CDlgMouseSpeed.h"
#include "pages/CDlgMouseWheelSpeed.h"
#include "pages/CDlgDPISetting.h"
#include "pages/CDlgUSBReportRate.h"
#include "pages/CDlgadvance.h"

namespace qm {
namespace {

using test::kA;
using test::kPad;

struct Pages : test::MainWindow {
    CDlgadvance& Host() { return *window->PageHost(); }
    CDlgLighting& Lighting() { return *Host().PageOf<CDlgLighting>(CDlgadvance::kLighting); }
    CDlgLightingPad& Pad() { return *Host().PageOf<CDlgLightingPad>(CDlgadvance::kPadLighting); }
    CDlgMouseWheelSpeed& Wheel() { return *Host().PageOf<CDlgMouseWheelSpeed>(CDlgadvance::kScrollSpeed); }
    void Open(int section) {
        if (Host().Collapsed(section)) {
            QTest::mouseClick(Host().Title(section), Qt::LeftButton, {}, QPoint(60, 10));
        }
    }
    static void Click(QWidget* page, const QPoint& at) { QTest::mouseClick(page, Qt::LeftButton, {}, at); }
    static void Switch(CLightingPage& page, int row) {
        Click(&page, CLightingPage::SwitchRect(page.Spec().rows[static_cast<size_t>(row)].top).center());
    }
    static void Swatch(CLightingPage& page, int k) { Click(&page, page.SwatchRect(k).center()); }
    // The modes whose slider is enabled.
    static std::vector<int> EnabledSliders(CLightingPage& page) {
        std::vector<int> modes;
        for (size_t r = 0; r < page.Spec().rows.size(); ++r) {
            if (page.SliderOfRow(static_cast<int>(r))->isEnabled()) {
                modes.push_back(page.Spec().rows[r].mode);
            }
        }
        return modes;
    }
};

TEST_F(Pages, EachLightingModeEnablesItsSliderAndKeepsTheOthersValues) {
    Start({kA});
    Open(CDlgadvance::kLighting);
    const uint8_t values[9] = {2, 9, 4, 5, 6, 1, 2, 3, 0};  // entry 1 and 8 lie outside 1..6
    for (size_t e = 0; e < 9; ++e) {
        Record()[rec::kLightEffectValue + e] = values[e];
    }
    struct Case {
        int row;
        int mode;
        size_t slider;  // row of the slider that shows the value
    };
    const Case cases[] = {{0, 1, 0}, {1, 2, 1}, {2, 3, 2}, {3, 9, 3}, {4, 4, 4}};
    for (const Case& c : cases) {
        Record()[rec::kLightReserved] = 0x5A;
        Switch(Lighting(), c.row);
        EXPECT_EQ(Record()[rec::kLightEffect], c.mode);
        EXPECT_EQ(EnabledSliders(Lighting()), std::vector<int>{c.mode});
        EXPECT_EQ(Record()[rec::kLightReserved], 0);
        for (size_t e = 0; e < 9; ++e) {
            EXPECT_EQ(Record()[rec::kLightEffectValue + e], values[e]) << "mode " << c.mode;
        }
    }
    // Values outside 1..6 show as 1 and stay in the record; the others show themselves.
    EXPECT_EQ(Lighting().SliderOfRow(1)->Value(), 1);
    EXPECT_EQ(Lighting().SliderOfRow(3)->Value(), 1);
    EXPECT_EQ(Lighting().SliderOfRow(4)->Value(), 5);
    // A slider's release stores its effect's value only.
    MessageEvent release(UM_MARKER_POS, 6, 2045);
    QCoreApplication::sendEvent(&Lighting(), &release);
    EXPECT_EQ(Record()[rec::kLightEffectValue + 8], 6);
    EXPECT_EQ(Record()[rec::kLightEffectValue + 3], 5);
    // An effect without a row (8) disables every slider; it shows the Finger tapping row.
    Record()[rec::kLightEffect] = 8;
    Host().RefreshPages();
    EXPECT_TRUE(EnabledSliders(Lighting()).empty());
    EXPECT_EQ(Lighting().Spec().selectedRow(8), 4);
    EXPECT_EQ(Lighting().Spec().selectedRow(7), LightingPageSpec::kNoRowSelected);
    EXPECT_EQ(Lighting().Spec().selectedRow(0), LightingPageSpec::kNoSwitches);
    // Effect 0 (off) leaves the record as it is.
    Record()[rec::kLightEffect] = 0;
    Host().RefreshPages();
    EXPECT_EQ(Record()[rec::kLightEffect], 0);
}

TEST_F(Pages, TheColourStripFollowsTheMode) {
    Start({kA});
    Open(CDlgadvance::kLighting);
    int prompts = 0;
    std::optional<QColor> answer;
    Lighting().chooseColour = [&] {
        ++prompts;
        return answer;
    };
    struct Case {
        int row;       // the mode's row
        int swatch;    // clicked
        int expected;  // lightColourIndex afterwards
    };
    const Case cases[] = {{1, 5, 5},   // Respiration may take the multicolour choice
                          {0, 3, 3},   // Standard drops it (then takes swatch 3)
                          {0, 5, 3},   // and refuses it
                          {2, 1, 3},   // Neon takes no swatch
                          {3, 0, 3},   // nor Stream
                          {1, 0, 0}};
    for (const Case& c : cases) {
        Switch(Lighting(), c.row);
        Swatch(Lighting(), c.swatch);
        EXPECT_EQ(Record()[rec::kLightColourIndex], c.expected) << c.row << "/" << c.swatch;
    }
    Record()[rec::kLightColourIndex] = 5;
    Switch(Lighting(), 0);
    EXPECT_EQ(Record()[rec::kLightColourIndex], 0);

    // A double click on a user swatch in modes 1 and 2 asks for its colour.
    QTest::mouseDClick(&Lighting(), Qt::LeftButton, {}, Lighting().SwatchRect(2).center());
    EXPECT_EQ(prompts, 1);
    EXPECT_EQ(Record().Colour(rec::kLightColour, 2), (Rgb{0x00, 0xFF, 0x00}));  // cancelled
    answer = QColor(0x11, 0x22, 0x33);
    QTest::mouseDClick(&Lighting(), Qt::LeftButton, {}, Lighting().SwatchRect(2).center());
    EXPECT_EQ(Record().Colour(rec::kLightColour, 2), (Rgb{0x11, 0x22, 0x33}));
    QTest::mouseDClick(&Lighting(), Qt::LeftButton, {}, Lighting().SwatchRect(5).center());
    EXPECT_EQ(prompts, 2);  // the multicolour swatch has no colour of its own
    Switch(Lighting(), 2);  // Neon
    QTest::mouseDClick(&Lighting(), Qt::LeftButton, {}, Lighting().SwatchRect(2).center());
    EXPECT_EQ(prompts, 2);
}

TEST_F(Pages, ThePadPageHasItsOwnFieldsRowsAndStrip) {
    Start({kA, kPad});
    Record()[rec::kLightEffect] = 3;
    Record()[rec::kPadEffect] = 2;
    Host().RefreshPages();
    Open(CDlgadvance::kPadLighting);
    EXPECT_EQ(Pad().Spec().rows.size(), 4u);
    EXPECT_EQ(EnabledSliders(Pad()), std::vector<int>{2});  // the pad's own effect
    // The strip sits at y 137: a click there picks a pad colour, not a mouse colour.
    EXPECT_EQ(Pad().SwatchRect(4), QRect(188, 137, 18, 17));
    Swatch(Pad(), 5);
    EXPECT_EQ(Record()[rec::kPadColourIndex], 5);
    EXPECT_EQ(Record()[rec::kLightColourIndex], 1);
    Switch(Pad(), 0);
    EXPECT_EQ(Record()[rec::kPadColourIndex], 0);
    EXPECT_EQ(Record()[rec::kPadEffect], 1);
    EXPECT_EQ(Record()[rec::kLightEffect], 3);
    Record()[rec::kPadReserved] = 7;
    Switch(Pad(), 3);
    EXPECT_EQ(Record()[rec::kPadEffect], 9);
    EXPECT_EQ(Record()[rec::kPadReserved], 0);
    // Effect 4 has no row on the pad: every slider is off and the effect stays.
    Record()[rec::kPadEffect] = 4;
    Host().RefreshPages();
    EXPECT_TRUE(EnabledSliders(Pad()).empty());
    EXPECT_EQ(Record()[rec::kPadEffect], 4);
    EXPECT_EQ(Pad().Spec().selectedRow(4), LightingPageSpec::kNoRowSelected);
    // Its sliders store into the pad's values.
    Switch(Pad(), 1);
    MessageEvent release(UM_MARKER_POS, 2, 2038);
    QCoreApplication::sendEvent(&Pad(), &release);
    EXPECT_EQ(Record()[rec::kPadEffectValue + 1], 2);
    EXPECT_EQ(Record()[rec::kLightEffectValue + 1], 4);
}

TEST_F(Pages, TheDialsTakeClicksOnTheirUpperRing) {
    Start({kA});
    struct Dial {
        int section;
        size_t field;
    };
    struct Case {
        QPoint at;
        int step;  // 0: unchanged
    };
    const Case cases[] = {
        {{121, 41}, 7},         // straight above, distance 50
        {{61, 89}, 1},          // about 178 degrees
        {{181, 89}, 11},        // about 2 degrees
        {{121 + 50, 91}, 11},   // on the centre line, right
        {{121 - 35, 91 - 35}, 4},  // 135 degrees: 12 - 7.5
        {{161, 111}, 0},        // below the centre line, on the ring
        {{121, 91 - 30}, 0},    // inside the ring
        {{121, 91 - 75}, 0},    // outside it
    };
    for (const Dial& dial : {Dial{CDlgadvance::kMouseSpeed, rec::kPointerSpeed},
                             Dial{CDlgadvance::kDoubleClick, rec::kDoubleClickSpeed}}) {
        Open(dial.section);
        QWidget* page = Host().Page(dial.section);
        for (const Case& c : cases) {
            Record()[dial.field] = 5;
            Click(page, c.at);
            EXPECT_EQ(Record()[dial.field], c.step == 0 ? 5 : c.step) << c.at.x() << "," << c.at.y();
        }
    }
    // A click off the ring keeps the step, clamped into 1..11.
    Record()[rec::kPointerSpeed] = 0;
    Click(Host().Page(CDlgadvance::kMouseSpeed), QPoint(121, 91 - 30));
    EXPECT_EQ(Record()[rec::kPointerSpeed], 1);
}

TEST(DoubleClickPage, EveryClickOnTheRingIsTraced) {
    SettingsRecord record;
    record[rec::kDoubleClickSpeed] = 6;
    UiStrings strings;
    strings.FillUiStrings("EN");
    CapturedDebugOutput debug;
    CDlgDoubleClick page(record, strings, "EN", debug, nullptr);
    page.resize(242, 110);
    QTest::mouseClick(&page, Qt::LeftButton, {}, QPoint(121, 41));
    QTest::mouseClick(&page, Qt::LeftButton, {}, QPoint(121, 61));  // inside the ring
    QTest::mouseClick(&page, Qt::LeftButton, {}, QPoint(161, 111));  // below
    EXPECT_EQ(debug.Lines(), std::vector<std::string>{"angle/18:angle=90.000000,angle/18=5\n"});
    EXPECT_EQ(record[rec::kDoubleClickSpeed], 7);
}

TEST_F(Pages, TheScrollSpeedPage) {
    Start({kA});
    Open(CDlgadvance::kScrollSpeed);
    QLineEdit* box = Wheel().LinesBox();
    EXPECT_EQ(box->text(), QStringLiteral("3"));
    struct Case {
        const char* typed;
        const char* shown;
        uint8_t lines;
    };
    const Case cases[] = {{"0", "1", 1}, {"101", "1", 1}, {"", "1", 1}, {"57", "57", 57}, {"100", "100", 100}};
    for (const Case& c : cases) {
        box->setText(QString::fromLatin1(c.typed));
        EXPECT_EQ(box->text(), QString::fromLatin1(c.shown)) << c.typed;
        EXPECT_EQ(Record()[rec::kWheelLines], c.lines) << c.typed;
    }
    Click(&Wheel(), CDlgMouseWheelSpeed::kUpArrow.center());
    EXPECT_EQ(Record()[rec::kWheelLines], 100);
    box->setText("2");
    Click(&Wheel(), CDlgMouseWheelSpeed::kDownArrow.center());
    Click(&Wheel(), CDlgMouseWheelSpeed::kDownArrow.center());
    EXPECT_EQ(Record()[rec::kWheelLines], 1);
    EXPECT_EQ(box->text(), QStringLiteral("1"));
    Click(&Wheel(), CDlgMouseWheelSpeed::kUpArrow.center());
    EXPECT_EQ(box->text(), QStringLiteral("2"));

    // One screen per notch: the box goes off; the arrows do nothing; the lines stay.
    Click(&Wheel(), CDlgMouseWheelSpeed::kOneScreenSwitch.center());
    EXPECT_EQ(Record()[rec::kScrollOneScreen], 1);
    EXPECT_FALSE(box->isEnabled());
    Click(&Wheel(), CDlgMouseWheelSpeed::kUpArrow.center());
    EXPECT_EQ(Record()[rec::kWheelLines], 2);
    Host().RefreshPages();
    EXPECT_EQ(box->text(), QStringLiteral("0"));
    EXPECT_EQ(Record()[rec::kWheelLines], 2);
    Click(&Wheel(), CDlgMouseWheelSpeed::kLinesSwitch.center());
    EXPECT_EQ(Record()[rec::kScrollOneScreen], 0);
    EXPECT_TRUE(box->isEnabled());
    EXPECT_EQ(box->text(), QStringLiteral("2"));
}

TEST_F(Pages, TheAngleSnappingPageIsBuiltButNotOffered) {
    Start({kA});
    EXPECT_FALSE(Host().Title(CDlgadvance::kAngleSnap)->isVisibleTo(&Host()));
    auto* page = Host().PageOf<CDlgAngleSnap>(CDlgadvance::kAngleSnap);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->size(), QSize(242, 55));
    Record()[rec::kAngleSnapEnabled] = 7;
    Click(page, CDlgAngleSnap::kOnSwitch.center());
    EXPECT_EQ(Record()[rec::kAngleSnapEnabled], 1);
    Click(page, CDlgAngleSnap::kOffSwitch.center());
    EXPECT_EQ(Record()[rec::kAngleSnapEnabled], 0);
    Click(page, QPoint(80, 35));
    EXPECT_EQ(Record()[rec::kAngleSnapEnabled], 0);
}

TEST_F(Pages, OnlyTheLeftButtonChangesASettingAndADoubleClickActsOnce) {
    Start({kA, kPad});
    for (int section : {CDlgadvance::kDpi, CDlgadvance::kLighting, CDlgadvance::kPadLighting,
                        CDlgadvance::kPollingRate, CDlgadvance::kMouseSpeed, CDlgadvance::kDoubleClick,
                        CDlgadvance::kScrollSpeed}) {
        Open(section);
    }
    Record()[rec::kLightEffect] = 1;  // a mode with swatches to pick
    Record()[rec::kPadEffect] = 1;
    Host().RefreshPages();
    auto* dpi = Host().DpiPage();
    int colourPrompts = 0;
    dpi->chooseColour = [&] {
        ++colourPrompts;
        return std::optional<QColor>(QColor(1, 2, 3));
    };
    Lighting().chooseColour = dpi->chooseColour;
    Pad().chooseColour = dpi->chooseColour;
    struct Spot {
        const char* what;
        QWidget* page;
        QPoint at;
    };
    const Spot spots[] = {
        {"DPI stage switch", dpi, CDlgDPISetting::SwitchRect(2).center()},
        {"DPI stage swatch", dpi, CDlgDPISetting::SwatchRect(2).center()},
        {"DPI label", dpi, CDlgDPISetting::LabelRect(2).center()},
        {"DPI slider", dpi->Slider(2), QPoint(3, 20)},
        {"lighting switch", &Lighting(), CLightingPage::SwitchRect(Lighting().Spec().rows[2].top).center()},
        {"lighting swatch", &Lighting(), Lighting().SwatchRect(3).center()},
        {"lighting slider", Lighting().SliderOfRow(0), QPoint(60, 3)},
        {"pad switch", &Pad(), CLightingPage::SwitchRect(Pad().Spec().rows[2].top).center()},
        {"pad swatch", &Pad(), Pad().SwatchRect(3).center()},
        {"report rate dial", Host().RatePage(), QPoint(150, 40)},
        {"pointer speed dial", Host().Page(CDlgadvance::kMouseSpeed), QPoint(181, 89)},
        {"double-click dial", Host().Page(CDlgadvance::kDoubleClick), QPoint(61, 89)},
        {"scroll speed arrow", &Wheel(), CDlgMouseWheelSpeed::kUpArrow.center()},
        {"scroll one screen", &Wheel(), CDlgMouseWheelSpeed::kOneScreenSwitch.center()},
    };
    const SettingsRecord before = Record();
    for (const Spot& spot : spots) {
        for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
            QTest::mouseClick(spot.page, button, {}, spot.at);
            QTest::mouseDClick(spot.page, button, {}, spot.at);
            QCoreApplication::sendPostedEvents();
            EXPECT_EQ(Record(), before) << spot.what << " " << button;
        }
    }
    EXPECT_EQ(colourPrompts, 0);
    EXPECT_EQ(dpi->OpenEditBox(), -1);
    // The left button's double click acts as one click where a page has no double click
    // of its own: the stage switch toggles once, the arrow steps once.
    const auto leftDoubleClick = [](QWidget* page, const QPoint& at) {
        QTest::mouseClick(page, Qt::LeftButton, {}, at);  // the press a double click follows
        QTest::mouseDClick(page, Qt::LeftButton, {}, at);
    };
    leftDoubleClick(dpi, CDlgDPISetting::SwitchRect(2).center());
    EXPECT_EQ(Record()[rec::kStageEnabled + 2], before[rec::kStageEnabled + 2] == 0 ? 1 : 0);
    const uint8_t lines = Record()[rec::kWheelLines];
    leftDoubleClick(&Wheel(), CDlgMouseWheelSpeed::kUpArrow.center());
    EXPECT_EQ(Record()[rec::kWheelLines], lines + 1);
    // The lighting swatch has a double click of its own: the colour chooser.
    leftDoubleClick(&Lighting(), Lighting().SwatchRect(3).center());
    EXPECT_EQ(colourPrompts, 1);
}

TEST_F(Pages, TheEditBoxesTakeNoBlankEscapeOrF1) {
    Start({kA});
    Open(CDlgadvance::kDpi);
    Open(CDlgadvance::kScrollSpeed);
    auto* dpi = Host().DpiPage();
    QTest::mouseClick(dpi, Qt::LeftButton, {}, CDlgDPISetting::LabelRect(4).center());
    QLineEdit* box = dpi->EditBox(4);
    box->setFocus();
    box->clear();
    QTest::keyClicks(box, QStringLiteral("7 3"));
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Escape, Qt::Key_F1}) {
        QTest::keyClick(box, key);
    }
    QTest::keyClicks(box, QStringLiteral("00"));
    EXPECT_EQ(box->text(), QStringLiteral("7300"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(Record()[rec::kDpiValueA + 4], 145);  // 7300 DPI
    QLineEdit* lines = Wheel().LinesBox();
    lines->setFocus();
    lines->selectAll();
    QTest::keyClicks(lines, QStringLiteral("1 2"));
    EXPECT_EQ(lines->text(), QStringLiteral("12"));
}

TEST_F(Pages, ASliderKeepsTheFlagOfAStageThatIsOn) {
    Start({kA});
    Open(CDlgadvance::kDpi);
    auto* dpi = Host().DpiPage();
    for (uint8_t flag : {uint8_t{0}, uint8_t{1}, uint8_t{5}, uint8_t{0xFF}}) {
        Record()[rec::kStageEnabled + 1] = flag;
        QTest::mouseClick(dpi->Slider(1), Qt::LeftButton, {}, QPoint(3, 40));
        QCoreApplication::sendPostedEvents(dpi);
        EXPECT_EQ(Record()[rec::kStageEnabled + 1], flag == 0 ? 1 : flag) << int(flag);
    }
}

TEST_F(Pages, TheColumnScrollsByTheWheelSettingOfTheAppliedProfile) {
    Start({kA, kPad});
    for (int s : {CDlgadvance::kDpi, CDlgadvance::kLighting, CDlgadvance::kPadLighting, CDlgadvance::kPollingRate}) {
        Open(s);
    }
    const auto wheel = [&](int delta) {
        QWheelEvent event(QPointF(100, 100), QPointF(100, 100), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&Host(), &event);
    };
    // Nine lines a notch: three steps of 60 px; the factory three, one step.
    Record()[rec::kScrollOneScreen] = 0;
    Record()[rec::kWheelLines] = 9;
    window->Settings().Commit();
    wheel(-120);
    EXPECT_EQ(Host().ScrollPosition(), 180);
    // One screen a notch: the page.
    Record()[rec::kScrollOneScreen] = 1;
    window->Settings().Commit();
    wheel(120);
    EXPECT_EQ(Host().ScrollPosition(), 0);
    wheel(-120);
    EXPECT_EQ(Host().ScrollPosition(), 320);
    // An edit not applied yet scrolls nothing differently.
    Record()[rec::kScrollOneScreen] = 0;
    Record()[rec::kWheelLines] = 3;
    wheel(120);
    EXPECT_EQ(Host().ScrollPosition(), 0);
}

TEST_F(Pages, WhatThePagesSetReachesTheMousePadAndDesktopOnApply) {
    traceFile = dir / "trace.txt";
    Start({kA, kPad});
    window->RestoreFromTray();
    Open(CDlgadvance::kLighting);
    Switch(Lighting(), 1);   // Respiration
    Swatch(Lighting(), 2);   // green
    Open(CDlgadvance::kPadLighting);
    Switch(Pad(), 3);        // Stream
    Open(CDlgadvance::kMouseSpeed);
    Click(Host().Page(CDlgadvance::kMouseSpeed), QPoint(121, 41));    // step 7
    Open(CDlgadvance::kDoubleClick);
    Click(Host().Page(CDlgadvance::kDoubleClick), QPoint(181, 89));   // step 11
    Open(CDlgadvance::kScrollSpeed);
    Wheel().LinesBox()->setText("9");
    ApplyAndWait();

    const VirtualMouseState mouse = Devices().MouseState(kA);
    EXPECT_EQ(test::ToHex(mouse.lightEffect), "01 00 32 08 00 00");
    EXPECT_EQ(test::ToHex(mouse.lightColourBlock.data(), 3), "00 FF 00");
    EXPECT_EQ(test::ToHex(Devices().PadState().effect), "03 32 04 00 00 00 00");
    const std::string trace = test::ReadFile(traceFile);
    EXPECT_TRUE(trace.ends_with("POINTER accel=0,0,0 speed=12 wheel=9 doubleclick=200\n")) << trace.substr(trace.size() - 80);
    const std::string saved = test::ReadFile(folder + "config0.bin");
    ASSERT_EQ(saved.size(), 1885u);
    const auto at = [&](size_t offset) { return static_cast<uint8_t>(saved[1 + offset]); };
    EXPECT_EQ(at(rec::kLightEffect), 2);
    EXPECT_EQ(at(rec::kLightColourIndex), 2);
    EXPECT_EQ(at(rec::kPadEffect), 9);
    EXPECT_EQ(at(rec::kPointerSpeed), 7);
    EXPECT_EQ(at(rec::kDoubleClickSpeed), 11);
    EXPECT_EQ(at(rec::kWheelLines), 9);
}

}  // namespace
}  // namespace qm
