// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>

#include "TestUtil.h"
#include "controls/CBitmapBtn.h"
#include "controls/CDMarker.h"
#include "controls/CExMenu.h"
#include "controls/FontHeight.h"
#include "controls/MessageEvent.h"
#include "controls/SkinImage.h"
#include "macros/KeyNames.h"
#include "model/ButtonCatalogue.h"
#include "model/FirstRun.h"
#include "platform/Autostart.h"
#include "platform/FileUtil.h"
#include "platform/ProfileIni.h"
#include "platform/UploadLock.h"
#include "shell/CMouseConfigurationApp.h"
#include "shell/CMouseConfigurationDlg.h"
#include "MainWindowFixture.h"

namespace qm {
namespace {

using test::FakeLauncher;
using test::MainWindow;
using test::kA;
using test::kB;
using test::kPad;


TEST_F(MainWindow, StartUpUploadsNothingHidesAndShowsTheTray) {
    Start();
    EXPECT_EQ(Devices().MouseState(kA).commands, 0);
    EXPECT_EQ(Devices().PadState().frames, 0);
    EXPECT_FALSE(window->isVisible());
    ASSERT_NE(window->Tray(), nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("QM517 Pro"));
    // The first start initialised profile 1.
    EXPECT_EQ(ProfileIni::GetString(folder + "str0.ini", "Profile", "IsDefault"), "Y");
    EXPECT_EQ(window->DropDownOfSlot(0)->caption, QStringLiteral("Click"));
    EXPECT_EQ(window->XSlider()->Value(), 5);
}

TEST_F(MainWindow, WithoutASystemTrayTheWindowShowsAtOnce) {
    trayAvailable = false;
    Start();
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindow, AMouseThisUserMayNotOpenIsToldOnce) {
    VirtualFaults refused;
    refused.refuseOpen = true;
    Start({}, "EN", [&](VirtualDevices& devices) { devices.Plug(kA, 0, refused); });
    ASSERT_EQ(asked.size(), 1u);
    // A build: the commands that install its rule.
    EXPECT_TRUE(asked[0].contains("may not open it. Install the udev rule once, as root:")) << asked[0].toStdString();
    EXPECT_TRUE(asked[0].contains("install -m 644 '/src/data/70-qm517pro.rules' /etc/udev/rules.d/"))
        << asked[0].toStdString();
    EXPECT_EQ(window->ConnectionNote(), QStringLiteral("QM517 Pro found, but this user may not open it: install the udev rule"));
    EXPECT_EQ(window->Tray(), nullptr);
    Devices().Unplug(kA);
    Devices().Plug(kA, 0, refused);
    DeliverHotplug();
    EXPECT_EQ(asked.size(), 1u);
}

TEST_F(MainWindow, WithThePackagesRuleARefusedMouseIsToBeReplugged) {
    udevRule = {"/usr/lib/udev/rules.d/70-qm517pro.rules", ""};
    VirtualFaults refused;
    refused.refuseOpen = true;
    Start({}, "DE", [&](VirtualDevices& devices) { devices.Plug(kA, 0, refused); });
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].contains("Die udev-Regel ist installiert (/usr/lib/udev/rules.d/70-qm517pro.rules)"))
        << asked[0].toStdString();
    EXPECT_TRUE(asked[0].contains("systemd-logind"));
    EXPECT_FALSE(asked[0].contains("install -m"));
    EXPECT_EQ(window->ConnectionNote(),
              QStringLiteral("QM517 Pro gefunden, aber dieser Benutzer darf sie nicht öffnen: bitte neu einstecken"));
}

TEST_F(MainWindow, WithoutAMouseThereIsNoTrayAndARestoreShowsTheWindowWithItsNote) {
    Start({kPad});  // with the desktop: in the tray
    EXPECT_EQ(window->Tray(), nullptr);
    EXPECT_FALSE(window->isVisible());
    // A second start or qm517ctl restore: the window, which says why nothing can be sent.
    QCoreApplication::postEvent(window.get(), new MessageEvent(UM_RESTORE, 0, 0));
    QCoreApplication::sendPostedEvents(window.get());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->ConnectionNote(), QStringLiteral("QM517 Pro not connected"));
    window->OnClose();
    // Plugging a mouse in brings the tray icon and the arrival balloon.
    Devices().Plug(kB);
    DeliverHotplug();
    ASSERT_NE(window->Tray(), nullptr);
    ASSERT_TRUE(window->LastBalloon().has_value());
    EXPECT_EQ(window->LastBalloon()->text, "The system detect QM517 Pro.");
    EXPECT_EQ(window->DpiScale(), 1);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindow, AStartFromTheMenuShowsTheWindowWithOrWithoutAMouse) {
    startInTray = false;
    for (const std::set<uint16_t>& devices : {std::set<uint16_t>{}, std::set<uint16_t>{kA}}) {
        window.reset();
        Start(devices);
        EXPECT_TRUE(window->isVisible()) << devices.size();
        EXPECT_EQ(window->ConnectionNote().isEmpty(), !devices.empty());
    }
}

TEST_F(MainWindow, ApplyWritesTheRecordToTheMouseAndSavesIt) {
    Start({kA, kB, kPad});
    window->menuSlot = 2;
    window->OnButtonCommand(2056);  // Volume Up on button 3
    Marker(2025, 3);
    ApplyAndWait();
    const VirtualMouseState a = Devices().MouseState(kA);
    std::string table = test::kFactoryButtonTable;
    table.replace(24, 11, "00 E9 00 04");  // entry 2
    EXPECT_EQ(test::ToHex(a.buttonTable), table);
    EXPECT_EQ(a.sensitivityX, 60);
    EXPECT_EQ(test::ToHex(Devices().MouseState(kB).dpiCodes), "0B 17 2F 47 6B 8F B3");
    EXPECT_EQ(Devices().PadState().frames, 4);
    EXPECT_EQ(Record(), window->Settings().appliedCopy);
    const std::string saved = test::ReadFile(folder + "config0.bin");
    EXPECT_EQ(saved.substr(1), std::string(Record().bytes.begin(), Record().bytes.end()));
    EXPECT_EQ(ProfileIni::GetString(folder + "str0.ini", "Setting-EN", "Item3"), "Volume Up");
    EXPECT_FALSE(window->Busy());
    EXPECT_TRUE(window->ApplyButton()->isEnabled());
}

TEST_F(MainWindow, CancelRevertsAndHides) {
    Start();
    window->RestoreFromTray();
    EXPECT_TRUE(window->isVisible());
    Marker(2025, 9);
    Marker(2026, 2);
    Marker(2027, 7);  // not an axis slider: nothing
    EXPECT_EQ(Record()[rec::kSensitivityX], 9);
    EXPECT_EQ(Record()[rec::kSensitivityY], 2);
    window->OnCancel();
    EXPECT_EQ(Record()[rec::kSensitivityX], 5);
    EXPECT_EQ(Record(), window->Settings().appliedCopy);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindow, CloseKeepsEditsUntilRestoreReloads) {
    Start();
    window->RestoreFromTray();
    window->menuSlot = 6;
    window->OnButtonCommand(2068);  // Undo
    window->OnClose();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(Record()[rec::kButtonKind + 6], kKindBasicCommand);
    window->RestoreFromTray();
    EXPECT_EQ(Record()[rec::kButtonKind + 6], kKindDpi);
    EXPECT_EQ(window->DropDownOfSlot(6)->caption, QStringLiteral("DPI -"));
    EXPECT_TRUE(window->ButtonPanelCollapsed());
    EXPECT_TRUE(window->AxisPanelCollapsed());
}

TEST_F(MainWindow, ResetKeepsMacrosAndProfileIndex) {
    Start();
    Record()[rec::kProfileIndex] = 3;
    Record()[rec::kMacroSlots + 3] = 0x77;
    Record()[rec::kSensitivityX] = 2;
    window->menuSlot = 5;
    window->OnButtonCommand(2013);
    answerOk = false;
    window->OnReset();
    EXPECT_EQ(Record()[rec::kSensitivityX], 2);  // cancelled: nothing changes
    answerOk = true;
    ResetAndWait();
    EXPECT_EQ(asked.back(), "ATTENTION!!|Reset to factory default?");
    EXPECT_EQ(Record()[rec::kSensitivityX], 5);
    EXPECT_EQ(Record()[rec::kButtonKind + 5], kKindDpi);
    EXPECT_EQ(Record()[rec::kMacroSlots + 3], 0x77);
    EXPECT_EQ(Record()[rec::kProfileIndex], 3);
    EXPECT_EQ(window->DropDownOfSlot(5)->caption, QStringLiteral("DPI +"));
    EXPECT_EQ(Devices().MouseState(kA).sensitivityX, 100);
    EXPECT_EQ(static_cast<uint8_t>(test::ReadFile(folder + "config0.bin")[1 + rec::kMacroSlots + 3]), 0x77);
}

TEST_F(MainWindow, TheLastClickButtonKeepsItsFunction) {
    Start();
    window->OpenButtonMenu(0);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], "ATTENTION!!|At least one button must be set as the \"click\" function.");
    EXPECT_EQ(window->SelectedSlot(), -1);
    EXPECT_FALSE(window->DropDownOfSlot(0)->checkedLook);
}

TEST_F(MainWindow, TheMenusOfTheButtons) {
    Start();
    const auto ids = [](CExMenu& menu) {
        std::vector<int> list;
        for (QAction* a : menu.actions()) {
            list.push_back(a->menu() != nullptr ? -static_cast<CExMenu*>(a->menu())->ItemWidth()
                                                : CExMenu::IdOf(a));
        }
        return list;
    };
    auto slot1 = window->BuildButtonMenu(1);
    EXPECT_EQ(ids(*slot1), (std::vector<int>{2001, 2002, 2003, 2004, 2005, 2006, 2010, -90, -120, -130,
                                             -130, 2011, 2012, 2013}));
    auto slot0 = window->BuildButtonMenu(0);
    EXPECT_EQ(ids(*slot0), (std::vector<int>{2001, 2002, 2003, 2004, 2005, 2006, 2009, 2010, -90, -120,
                                             -130, -130, 2011, 2012, 2013}));
    EXPECT_EQ(slot0->ItemWidth(), 130);
    EXPECT_EQ(slot0->actions().at(8)->text(), QStringLiteral("DPI Setting +"));
    EXPECT_EQ(slot0->actions().at(9)->menu()->actions().at(6)->text(), QStringLiteral("Volume Up"));
}

TEST_F(MainWindow, AChoiceStoresKindAndParameterOnly) {
    Start();
    struct Case {
        int command;
        uint8_t kind;
        size_t array;
        uint8_t value;
        const char* caption;
    };
    const Case cases[] = {{2056, 7, rec::kMediaKey, 0xE9, "Volume Up"},
                          {2068, 8, rec::kShortcutKey, 29, "Undo"},
                          {2035, 9, rec::kSystemCommand, 5, "Show desktop"},
                          {2021, 6, rec::kDpiAction, 2, "DPI -"}};
    for (const auto& c : cases) {
        SettingsRecord before = Record();
        window->menuSlot = 4;
        window->OnButtonCommand(c.command);
        before[rec::kButtonKind + 4] = c.kind;
        before[c.array + 4] = c.value;
        EXPECT_EQ(Record(), before) << c.command;
        EXPECT_EQ(window->DropDownOfSlot(4)->caption, QString::fromUtf8(c.caption));
        EXPECT_EQ(window->Captions()[4], c.caption);
    }
    // An id of the range that is no button function ("Version:2.1") changes nothing.
    const SettingsRecord before = Record();
    window->OnButtonCommand(1003);
    EXPECT_EQ(Record(), before);
}

TEST_F(MainWindow, Slot3LightsHotspot5InBothViews) {
    Start();
    window->RestoreFromTray();
    for (int view : {1, 2}) {
        window->ShowView(view);
        QImage shot;
        int selected = -2;
        QTimer::singleShot(100, [&] {
            selected = window->SelectedSlot();
            shot = window->grab().toImage();
            if (QWidget* popup = QApplication::activePopupWidget()) {
                popup->close();
            }
        });
        window->OnDropDownClicked(3);
        EXPECT_EQ(selected, 3);
        EXPECT_EQ(window->SelectedSlot(), -1);
        const QPoint at = view == 1 ? QPoint(350, 315) : QPoint(545, 265);
        const QImage over = Skins::Load(view == 1 ? "Skins/Mouse/Front/F-5-over.png" : "Skins/Mouse/Side/S-5-over.png");
        const QImage normal = Skins::Load(view == 1 ? "Skins/Mouse/Front/F-5-normal.png" : "Skins/Mouse/Side/S-5-normal.png");
        // The badge's centre shows the "-over" picture, which differs from "-normal" there.
        const QPoint centre(4, 11);  // inside the badge, clear of its number
        ASSERT_NE(over.pixel(centre), normal.pixel(centre));
        EXPECT_EQ(QColor(shot.pixel(at + centre)).rgb() & 0xFFFFFF, QColor(over.pixel(centre)).rgb() & 0xFFFFFF)
            << "view " << view;
    }
}

TEST_F(MainWindow, TheAccordionMovesTheLeftColumn) {
    Start();
    window->RestoreFromTray();
    const int h = window->PanelHeight();
    ASSERT_EQ(h, 170);
    window->SetAxisPanel(0);
    EXPECT_EQ(window->XSlider()->geometry().topLeft(), QPoint(37, 235));
    window->SetButtonPanel(0);
    EXPECT_EQ(window->MacroManagerButton()->geometry(), QRect(20, 132 + h, 242, 38));
    EXPECT_EQ(window->AxisHeaderButton()->geometry(), QRect(20, 175 + h, 242, 20));
    EXPECT_EQ(window->XSlider()->geometry().topLeft(), QPoint(37, 235 + h));
    EXPECT_EQ(window->YSlider()->geometry().topLeft(), QPoint(37, 295 + h));
    EXPECT_TRUE(window->DropDownOfSlot(0)->isVisibleTo(window.get()));
    EXPECT_EQ(window->DropDownOfSlot(3)->geometry().top(), 154 + 20 * 4);  // slot 3 sits in row 4
    window->SetButtonPanel(1);
    EXPECT_EQ(window->MacroManagerButton()->geometry().top(), 132);
    EXPECT_EQ(window->XSlider()->geometry().top(), 235);
    EXPECT_FALSE(window->DropDownOfSlot(0)->isVisibleTo(window.get()));
    // A click on a header toggles its section.
    QTest::mouseClick(window->ButtonHeaderButton(), Qt::LeftButton, {}, QPoint(50, 10));
    EXPECT_FALSE(window->ButtonPanelCollapsed());
}

TEST_F(MainWindow, UnpluggingTheOnlyMouseHidesTheWindowAndTheTray) {
    Start({kA});
    window->RestoreFromTray();
    ASSERT_TRUE(window->isVisible());
    Devices().Unplug(kA);
    DeliverHotplug();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->Tray(), nullptr);
    ASSERT_TRUE(window->LastBalloon().has_value());
    EXPECT_EQ(window->LastBalloon()->title, "Warning");
}

TEST_F(MainWindow, AStageReportShowsItsBalloon) {
    Start();
    Devices().SendEventReport(kA, {0x04, 0x01, 0x00, 0x02, 0, 0, 0, 0});
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->LastBalloon().has_value(); }, test::kPatienceMs));
    EXPECT_EQ(window->LastBalloon()->title, "Info");
    EXPECT_EQ(window->LastBalloon()->text, "Switch DPI into the third stage (2400)");
}

TEST_F(MainWindow, StageNoticesDuringAnUploadWaitForIt) {
    VirtualFaults slow;
    slow.neverAnswerBlocks = true;  // the colour block read waits out its time-out
    Start({kPad});
    Devices().Plug(kA, 0, slow);
    DeliverHotplug();
    QSignalSpy finished(window.get(), &CMouseConfigurationDlg::applyFinished);
    window->OnApply();
    EXPECT_TRUE(window->Busy());
    EXPECT_FALSE(window->ApplyButton()->isEnabled());
    const auto before = window->LastBalloon();
    window->OnDeviceStage(0, 1);
    EXPECT_EQ(window->LastBalloon(), before);
    ASSERT_TRUE(finished.count() > 0 || finished.wait(test::kPatienceMs));
    ASSERT_TRUE(window->LastBalloon().has_value());
    EXPECT_EQ(window->LastBalloon()->text, "Switch DPI into the second stage (1200)");
}

TEST_F(MainWindow, UpdateStartsTheUpdaterOfThePresentMouse) {
    Start({kB});
    window->OnHelpCommand(1002);
    ASSERT_EQ(launcher.opened.size(), 1u);
    EXPECT_TRUE(launcher.opened[0].endsWith("Update/3360/FWUpdate.exe"));
    EXPECT_EQ(launcher.quits, 1);
    launcher.updaterRunning = true;
    window->OnHelpCommand(1002);
    EXPECT_EQ(launcher.opened.size(), 1u);
    EXPECT_EQ(launcher.quits, 1);
    window->OnHelpCommand(1001);
    EXPECT_EQ(launcher.opened.back(), QString::fromStdString(window->Strings()[537]));
    window->OnHelpCommand(1003);  // "Version:2.1" does nothing
    EXPECT_EQ(launcher.opened.size(), 2u);
}

TEST_F(MainWindow, UpdateWithoutAnUpdaterSaysWhereItBelongsAndKeepsRunning) {
    test::ScopedEnv data("XDG_DATA_HOME", dir.Path().c_str());
    Start({kA, kB}, "DE");
    launcher.updatersInstalled = false;
    window->OnHelpCommand(1002);
    EXPECT_TRUE(launcher.opened.empty());
    EXPECT_EQ(launcher.quits, 0);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].startsWith("Aktualisieren|In ")) << asked[0].toStdString();
    // The user's own folder, which a package install leaves writable; and what goes there.
    EXPECT_TRUE(asked[0].contains(QString::fromStdString(dir / "qm517pro/Update/"))) << asked[0].toStdString();
    EXPECT_TRUE(asked[0].contains("kein Firmware-Updater")) << asked[0].toStdString();
    EXPECT_TRUE(asked[0].contains("Update/3360/FWUpdate.exe")) << asked[0].toStdString();
    EXPECT_TRUE(asked[0].contains("Wine")) << asked[0].toStdString();
    // An updater put there is found before the program's own folder is looked in.
    const QString mine = QString::fromStdString(dir / "qm517pro/Update/FWUpdate.exe");
    launcher.files = {CMouseConfigurationApp::DataFolder() + "Update/FWUpdate.exe", mine};
    window->OnHelpCommand(1002);
    ASSERT_EQ(launcher.opened.size(), 1u);
    EXPECT_EQ(launcher.opened[0], mine);
}

TEST_F(MainWindow, OutdatedFirmwareOffersTheUpdater) {
    Start({}, "EN", [](VirtualDevices& devices) { devices.Plug(kA, 0x0301); });
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].startsWith("QM517 Pro|鼠标固件版本过低"));
    ASSERT_EQ(launcher.opened.size(), 1u);
    EXPECT_TRUE(launcher.opened[0].endsWith("Update/FWUpdate.exe"));
    EXPECT_GE(launcher.quits, 1);
}

TEST_F(MainWindow, TheTrayMenuOfTheVirtualMouse) {
    Start();
    const auto items = window->TrayMenuItems();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].second, QStringLiteral("Press DPI button (virtual mouse)"));
    EXPECT_EQ(items[1].second, QStringLiteral("Start with the desktop"));
    EXPECT_EQ(items[2], std::make_pair(2, QStringLiteral("Exit")));
    window->OnTrayMenuCommand(items[0].first);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->LastBalloon().has_value(); }, test::kPatienceMs));
    EXPECT_EQ(window->LastBalloon()->text, "Switch DPI into the second stage (1200)");
    window->OnTrayMenuCommand(2);
    EXPECT_EQ(launcher.quits, 1);
}

TEST_F(MainWindow, ARestoreAndAHotplugDuringAnUploadWaitForIt) {
    VirtualFaults slow;
    slow.neverAnswerBlocks = true;  // mouse A11D's colour block read waits out its time-out
    Start({kB, kPad});
    Devices().Plug(kA, 0, slow);
    DeliverHotplug();
    window->menuSlot = 2;
    window->OnButtonCommand(2005);  // Back on button 3
    QSignalSpy finished(window.get(), &CMouseConfigurationDlg::applyFinished);
    window->OnApply();
    ASSERT_TRUE(window->Busy());
    // A second start (or qm517ctl restore) and a plug notice while the mice are written.
    MessageEvent restore(UM_RESTORE, 0, 0);
    QCoreApplication::sendEvent(window.get(), &restore);
    window->OnHotplug(DeviceNotice{kDbtDeviceArrival, kDbtDevTypDeviceInterface,
                                   DeviceInterfaceName(0x04D9, kB, "again")});
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(Record()[rec::kButtonKind + 2], kKindBack);
    ASSERT_TRUE(finished.count() > 0 || finished.wait(test::kPatienceMs));

    std::string table = test::kFactoryButtonTable;
    table.replace(24, 11, "00 F3 00 02");  // entry 2: back
    EXPECT_EQ(test::ToHex(Devices().MouseState(kA).buttonTable), table);
    EXPECT_EQ(test::ToHex(Devices().MouseState(kB).buttonTable), table);
    const std::string saved = test::ReadFile(folder + "config0.bin");
    EXPECT_EQ(static_cast<uint8_t>(saved[1 + rec::kButtonKind + 2]), kKindBack);
    EXPECT_EQ(ProfileIni::GetString(folder + "str0.ini", "Setting-EN", "Item3"), "Back");
    // Then the restore ran: it reloaded the profile, which holds the edit.
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(Record()[rec::kButtonKind + 2], kKindBack);
    EXPECT_EQ(window->DropDownOfSlot(2)->caption, QStringLiteral("Back"));
}

TEST_F(MainWindow, SliderValuesAndExitDuringAnUploadWaitForIt) {
    VirtualFaults slow;
    slow.neverAnswerBlocks = true;
    Start({kPad});
    Devices().Plug(kA, 0, slow);
    DeliverHotplug();
    QSignalSpy finished(window.get(), &CMouseConfigurationDlg::applyFinished);
    window->OnApply();
    MessageEvent profile(UM_PROFILE_COMMAND, kProfileSwitch, 1);  // the profiles panel's switch
    QCoreApplication::sendEvent(window.get(), &profile);
    MessageEvent marker(UM_MARKER_POS, 9, 2025);
    QCoreApplication::sendEvent(window.get(), &marker);
    window->OnTrayMenuCommand(2);  // Exit
    EXPECT_EQ(Record()[rec::kSensitivityX], 5);
    EXPECT_EQ(Record()[rec::kProfileIndex], 0);
    EXPECT_EQ(window->Files().LastSwitchedTo(), 0);
    EXPECT_EQ(launcher.quits, 0);
    ASSERT_TRUE(finished.count() > 0 || finished.wait(test::kPatienceMs));
    EXPECT_EQ(Devices().MouseState(kA).sensitivityX, 100);  // what Apply sent: 20 x 5
    EXPECT_EQ(window->Files().LastSwitchedTo(), 1);  // then the switch ran
    EXPECT_EQ(Record()[rec::kSensitivityX], 9);
    EXPECT_EQ(launcher.quits, 1);
}

TEST_F(MainWindow, WithoutATrayCloseAndCancelEndTheProgram) {
    trayAvailable = false;
    Start({kA});
    ASSERT_TRUE(window->isVisible());
    // No tray menu: the Help menu offers the start at login.
    const auto help = window->BuildHelpMenu();
    EXPECT_EQ(help->actions().back()->text(), QStringLiteral("Start with the desktop"));
    EXPECT_TRUE(help->actions().back()->isCheckable());
    window->OnMinimise();
    EXPECT_EQ(launcher.quits, 0);
    EXPECT_TRUE(window->isMinimized());
    // A second start (the restore message) brings the minimised window back.
    MessageEvent restore(UM_RESTORE, 0, 0);
    QCoreApplication::sendEvent(window.get(), &restore);
    EXPECT_FALSE(window->isMinimized());
    EXPECT_TRUE(window->isVisible());
    window->OnClose();
    EXPECT_EQ(launcher.quits, 1);
    window->OnCancel();
    EXPECT_EQ(launcher.quits, 2);
    // A tray comes: the window returns to it as usual.
    trayAvailable = true;
    window->CheckTrayAvailability();
    window->RestoreFromTray();
    window->OnClose();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(launcher.quits, 2);
    // The tray goes away: the hidden window comes back, as it is the only way in now.
    trayAvailable = false;
    window->CheckTrayAvailability();
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindow, WithoutAMouseTheWindowSaysSoAndApplyOnlySaves) {
    trayAvailable = false;
    Start({}, "DE");
    ASSERT_TRUE(window->isVisible());
    EXPECT_EQ(window->DropDownOfSlot(0)->caption, QStringLiteral("Klick"));
    EXPECT_EQ(window->ConnectionNote(), QStringLiteral("QM517 Pro nicht verbunden"));
    window->menuSlot = 1;
    window->OnButtonCommand(2001);
    ApplyAndWait();
    EXPECT_EQ(static_cast<uint8_t>(test::ReadFile(folder + "config0.bin")[1 + rec::kButtonKind + 1]), kKindLeftClick);
    EXPECT_EQ(window->StatusText(),
              QStringLiteral("Profil gespeichert. Keine QM517 Pro verbunden: Es wurde nichts gesendet."));
    // A restore shows the window (there is no tray to hold it) and the note stays.
    window->hide();
    window->RestoreFromTray();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->StatusText().isEmpty());
    Devices().Plug(kA);
    DeliverHotplug();
    EXPECT_TRUE(window->ConnectionNote().isEmpty());
}

TEST_F(MainWindow, AMouseThisUserMayNotOpenIsNamedInTheWindow) {
    VirtualFaults refused;
    refused.refuseOpen = true;
    Start({}, "CHS", [&](VirtualDevices& devices) { devices.Plug(kA, 0, refused); });
    EXPECT_EQ(window->ConnectionNote(), QStringLiteral("已找到 QM517 Pro，但当前用户无权打开：请安装 udev 规则"));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].contains("请以 root 身份安装一次 udev 规则：")) << asked[0].toStdString();
}

TEST_F(MainWindow, TheUploadStepsSpeakTheInterfaceLanguage) {
    Start({kA}, "DE");
    ApplyAndWait();
    EXPECT_EQ(window->ProgressText(), QStringLiteral("Beleuchtung wird an die Maus gesendet …"));
}

TEST_F(MainWindow, AnExistingProfileFolderGetsItsMissingFilesAtStart) {
    ASSERT_EQ(MakeFolders(folder), 0);
    Start({kA});
    EXPECT_TRUE(test::FileExists(folder + "str.ini"));
    EXPECT_EQ(test::ReadFile(folder + "config0.bin").size(), 1885u);
    EXPECT_EQ(window->DropDownOfSlot(0)->caption, QStringLiteral("Click"));
}

TEST_F(MainWindow, AProfileFileThatCannotBeReadIsToldAndNeverSentOrSavedOver) {
    // The settings file is a FIFO and the macro store a folder: the window says so at
    // start, and Apply and Reset send and write nothing.
    ASSERT_EQ(SeedAppDataFolder(folder, "EN"), 0);
    ASSERT_EQ(::mkfifo((folder + "config0.bin").c_str(), 0644), 0);
    ASSERT_EQ(::mkdir((folder + "record.ini").c_str(), 0755), 0);
    const std::string ini = test::ReadFile(folder + "str0.ini");
    traceFile = dir / "trace.txt";
    Start({kA});
    ASSERT_FALSE(asked.empty());
    EXPECT_TRUE(asked.front().contains(QString::fromStdString("cannot read " + folder + "config0.bin"))) << asked.front().toStdString();
    asked.clear();
    window->OnApply();
    window->OnReset();
    ASSERT_EQ(asked.size(), 2u);
    for (const QString& text : asked) {
        EXPECT_TRUE(text.contains("config0.bin") && text.contains("Nothing was sent or written.")) << text.toStdString();
    }
    EXPECT_FALSE(window->Busy());
    EXPECT_EQ(test::ReadFile(traceFile).find("SET_FEATURE"), std::string::npos);
    EXPECT_EQ(test::ReadFile(folder + "str0.ini"), ini);

    // With the settings file back, the macro store that cannot be read still stops Apply.
    ::unlink((folder + "config0.bin").c_str());
    window->RestoreFromTray();  // reloads the profile
    asked.clear();
    window->OnApply();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].contains(QString::fromStdString("cannot read " + folder + "record.ini"))) << asked[0].toStdString();
    EXPECT_EQ(test::ReadFile(traceFile).find("SET_FEATURE"), std::string::npos);
}

TEST_F(MainWindow, AfterAnApplyTheUserLearnsWhichDeviceFailedAndThatTheProfileWasSaved) {
    Start({kPad});
    VirtualFaults faults;
    faults.eio = true;
    faults.faultAfter = 30;  // fails from the macros on
    Devices().Plug(kA, 0, faults);
    DeliverHotplug();
    Record()[rec::kSensitivityX] = 9;
    asked.clear();
    ApplyAndWait();
    ASSERT_EQ(asked.size(), 1u);
    const QString text = asked[0];
    EXPECT_TRUE(text.contains("Not every device took the whole profile:")) << text.toStdString();
    EXPECT_TRUE(text.contains("Mouse A11D: ") && text.contains("(the first: Sending macros to the mouse)"))
        << text.toStdString();
    EXPECT_FALSE(text.contains("Mousepad")) << text.toStdString();
    EXPECT_TRUE(text.endsWith("The profile was saved. Check the connection, then apply again.")) << text.toStdString();
    EXPECT_EQ(static_cast<uint8_t>(test::ReadFile(folder + "config0.bin")[1 + rec::kSensitivityX]), 9);
    // The next Apply that goes through says nothing.
    Devices().Unplug(kA);
    DeliverHotplug();
    asked.clear();
    ApplyAndWait();
    EXPECT_TRUE(asked.empty());
}

TEST_F(MainWindow, AProfileThatCouldNotBeSavedIsToldWithItsFile) {
    Start({kA});
    // A read-only folder, a full disk: the settings file cannot be replaced.
    SetFileStepHook([&](FileStep step, const std::string& path) {
        return step == FileStep::kRename && path == folder + "config0.bin" ? EROFS : 0;
    });
    Record()[rec::kSensitivityX] = 9;
    asked.clear();
    ApplyAndWait();
    SetFileStepHook({});
    EXPECT_EQ(Devices().MouseState(kA).sensitivityX, 180);  // the mouse got it
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].contains(QString::fromStdString("cannot write " + folder + "config0.bin: Read-only file system")))
        << asked[0].toStdString();
}

TEST_F(MainWindow, AnApplyGivesUpOnAnotherProgramsUploadAfterItsMinute) {
    test::ScopedEnv runtime("XDG_RUNTIME_DIR", dir.Path().c_str());
    Start({kA, kPad});  // waits the minute it waits for the user, on the virtual clock
    ApplyAndWait();  // the profile file exists from here on
    const std::string saved = test::ReadFile(folder + "config0.bin");
    VirtualClock elsewhere;
    UploadLock other;  // qm517ctl uploading to the pad
    ASSERT_EQ(other.Acquire({"pad"}, 0, {}, elsewhere), "");
    Record()[rec::kSensitivityX] = 9;
    asked.clear();
    const uint32_t before = env->GetClock().TickCount();
    ApplyAndWait();
    EXPECT_GE(env->GetClock().TickCount() - before, 60000u);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].endsWith("Another upload to Mousepad is still running: nothing was sent or saved. Apply "
                                  "again when it has finished."))
        << asked[0].toStdString();
    EXPECT_EQ(test::ReadFile(folder + "config0.bin"), saved);
    EXPECT_EQ(Devices().MouseState(kA).sensitivityX, 100);  // the mouse got nothing either
    EXPECT_EQ(Record()[rec::kSensitivityX], 9);             // the edit is still there
}

TEST_F(MainWindow, AWaitingApplyGoesThroughOnceTheOtherUploadEnds) {
    test::ScopedEnv runtime("XDG_RUNTIME_DIR", dir.Path().c_str());
    uploadLockWaitMs = -1;  // no time-out: only the other upload's end ends the wait
    Start({kA, kPad});
    VirtualClock elsewhere;
    UploadLock other;
    ASSERT_EQ(other.Acquire({"pad"}, 0, {}, elsewhere), "");
    Record()[rec::kSensitivityX] = 9;
    QSignalSpy finished(window.get(), &CMouseConfigurationDlg::applyFinished);
    window->OnApply();
    // The window says what it waits for; the other upload then ends.
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->ProgressText().startsWith(QStringLiteral("Waiting for another upload to Mousepad")); },
                                test::kPatienceMs))
        << window->ProgressText().toStdString();
    EXPECT_TRUE(window->Busy());
    EXPECT_EQ(finished.count(), 0);
    other.Release();
    ASSERT_TRUE(finished.count() > 0 || finished.wait(test::kPatienceMs));
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(Devices().MouseState(kA).sensitivityX, 180);
}

TEST_F(MainWindow, StartWithTheDesktopFromTheTrayMenuOrTheHelpMenu) {
    test::ScopedEnv config("XDG_CONFIG_HOME", dir.Path().c_str());
    const std::string entry = dir / "autostart/qm517pro.desktop";
    Start({kA}, "DE");
    const auto item = [&](CExMenu& menu) {
        for (QAction* action : menu.actions()) {
            if (action->text() == QStringLiteral("Mit dem Desktop starten")) {
                return action;
            }
        }
        return static_cast<QAction*>(nullptr);
    };
    // Off by default; the tray menu's item turns it on, and shows it checked.
    auto menu = window->BuildTrayMenu();
    ASSERT_NE(item(*menu), nullptr);
    EXPECT_FALSE(item(*menu)->isChecked());
    const int id = CExMenu::IdOf(item(*menu));
    window->OnTrayMenuCommand(id);
    EXPECT_NE(test::ReadFile(entry).find("\nExec=" QM517_BIN_DIR "qm517pro --tray\n"), std::string::npos)
        << test::ReadFile(entry);
    EXPECT_EQ(GetAutostart(), AutostartState::kOn);
    menu = window->BuildTrayMenu();
    EXPECT_TRUE(item(*menu)->isChecked());
    window->OnTrayMenuCommand(id);
    EXPECT_FALSE(test::FileExists(entry));
    EXPECT_TRUE(asked.empty());
    // An entry the user changed stays, and the user is told so.
    test::WriteFile(entry, AutostartEntry("/usr/bin/qm517pro") + "Hidden=true\n");
    window->OnTrayMenuCommand(id);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].contains("selbst geändert")) << asked[0].toStdString();
    EXPECT_TRUE(test::FileExists(entry));
    // The Help menu carries the item only where there is no tray.
    EXPECT_EQ(item(*window->BuildHelpMenu()), nullptr);
}

TEST(MessageBoxes, TheButtonsSpeakTheInterfaceLanguage) {
    struct Case {
        const char* code;
        QStringList okCancel;
        QStringList yesNo;
    };
    const Case cases[] = {{"CHS", {"确定", "取消"}, {"是", "否"}},
                          {"CHT", {"確定", "取消"}, {"是", "否"}},
                          {"DE", {"OK", "Abbrechen"}, {"Ja", "Nein"}},
                          {"EN", {"OK", "Cancel"}, {"Yes", "No"}}};
    const QString before = CMouseConfigurationApp::LanguageCode();
    for (const Case& c : cases) {
        CMouseConfigurationApp::SetLanguageCode(c.code);
        const Prompts prompts = Prompts::MessageBoxes(nullptr);
        for (bool yesNo : {false, true}) {
            QStringList texts;
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                ASSERT_NE(box, nullptr);
                for (QAbstractButton* b : box->buttons()) {
                    texts << b->text();
                }
                box->button(yesNo ? QMessageBox::No : QMessageBox::Cancel)->click();
            });
            const bool answer = yesNo ? prompts.yesNo("c", "t") : prompts.okCancel("c", "t");
            EXPECT_FALSE(answer) << c.code;
            texts.sort();
            QStringList expected = yesNo ? c.yesNo : c.okCancel;
            expected.sort();
            EXPECT_EQ(texts, expected) << c.code;
        }
    }
    CMouseConfigurationApp::SetLanguageCode(before);
}

// No caption of any language is cut: a caption too wide for its button or menu item is
// drawn smaller instead.
struct Captions : MainWindow, ::testing::WithParamInterface<const char*> {};

TEST_P(Captions, NoTextOfTheWindowOrItsMenusIsElided) {
    Start({kA}, GetParam());
    const UiStrings& s = window->Strings();
    for (CBitmapBtn* button : window->ImageButtons()) {
        EXPECT_FALSE(button->FittedCaption().elided) << button->caption.toStdString();
    }
    if (std::string(GetParam()) == "DE") {
        // "Zurücksetzen" does not fit the Reset button at the usual size: it is drawn smaller.
        const CBitmapBtn* reset = window->ImageButtons()[4];
        ASSERT_EQ(reset->caption, QStringLiteral("Zurücksetzen"));
        EXPECT_LT(QFontInfo(reset->FittedCaption().font).pixelSize(), FontPixelSize(13));
    }
    // Every caption a drop-down can get (a key and a macro with names of usual length).
    QStringList captions;
    for (int entry : {510, 511, 512, 513, 514, 531, 535, 528, 41, 42, 43}) {
        captions << QString::fromStdString(s[entry]);
    }
    captions << "Fn" << "Left Tilt Scroll" << "Right Tilt Scroll";
    const Language language = LanguageForNames(GetParam());
    for (const auto& table : {MultimediaTable(), BasicCommandTable(), AdditionalCommandTable()}) {
        for (const CommandRow& row : table) {
            captions << QString::fromUtf8(row.Name(language));
        }
    }
    CBitmapBtn* dropDown = window->DropDownOfSlot(2);
    // Clear of the drop-down's arrow.
    EXPECT_LE(dropDown->CaptionRect().right(), 116);
    for (const QString& caption : captions) {
        dropDown->caption = caption;
        EXPECT_FALSE(dropDown->FittedCaption().elided) << caption.toStdString();
        EXPECT_LE(dropDown->FittedCaption().width, dropDown->CaptionRect().width()) << caption.toStdString();
    }
    // A key or a macro caption of any key, and the longest macro name: inside the drawn box
    // (cut in the middle where even the smallest size is too wide, so the key's name still
    // shows, with the whole caption a hover away).
    QStringList named;
    for (uint32_t usage = 1; usage < 256; ++usage) {
        if (const std::string key = GetUsageKeyStr(usage); !key.empty()) {
            named << QString::fromStdString(s[UiStrings::kAssignKey] + "-" + key);
        }
    }
    named << QString::fromStdString(s[UiStrings::kMacro] + ":Macro_12")
          << QString::fromStdString(s[UiStrings::kMacro] + ":" + std::string(20, 'W'));
    for (const QString& caption : named) {
        dropDown->caption = caption;
        const FittedText fitted = dropDown->FittedCaption();
        EXPECT_LE(fitted.width, dropDown->CaptionRect().width()) << caption.toStdString();
        if (fitted.elided) {
            EXPECT_EQ(fitted.text.right(2), caption.right(2)) << caption.toStdString();
            dropDown->grab();  // paints, and sets the tooltip
            EXPECT_EQ(dropDown->toolTip(), caption);
        }
    }
    dropDown->caption = QString::fromStdString(s[UiStrings::kAssignKey] + "-F12");
    if (std::string(GetParam()) != "DE") {  // "Keyboard-Taste zuweisen +-F12" takes more room than there is
        EXPECT_FALSE(dropDown->FittedCaption().elided);
    }
    // The button menus with their submenus, the help menu and the tray menu.
    std::vector<std::unique_ptr<CExMenu>> menus;
    menus.push_back(window->BuildButtonMenu(0));
    menus.push_back(window->BuildHelpMenu());
    menus.push_back(window->BuildTrayMenu());
    std::vector<CExMenu*> all;
    for (auto& menu : menus) {
        all.push_back(menu.get());
        for (QAction* a : menu->actions()) {
            if (a->menu() != nullptr) {
                all.push_back(static_cast<CExMenu*>(a->menu()));
            }
        }
    }
    for (CExMenu* menu : all) {
        for (QAction* a : menu->actions()) {
            EXPECT_FALSE(menu->FittedItem(a).elided) << a->text().toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, Captions, ::testing::Values("EN", "DE", "CHS", "CHT"));

}  // namespace
}  // namespace qm
