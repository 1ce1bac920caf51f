// SPDX-License-Identifier: GPL-3.0-or-later
// The profiles panel of the window with three profiles on disk: names, files that follow
// them, making a profile current, export and import.
#include <QListWidget>
#include <QTest>
#include <cerrno>
#include <sys/stat.h>

#include "MainWindowFixture.h"
#include "controls/CBitmapBtn.h"
#include "controls/CDMarker.h"
#include "platform/Format.h"
#include "dialogs/CConfigDialog.h"
#include "dialogs/CLBEditorWnd.h"
#include "pages/CDlgadvance.h"
#include "model/ButtonCatalogue.h"
#include "platform/FileUtil.h"
#include "platform/ProfileIni.h"

namespace qm {
namespace {

using test::kA;
using test::ReadFile;
using test::WriteFile;

struct ProfilesPanel : test::MainWindow {
    std::vector<std::string> chosenFiles;  // what the file dialogs answer, in turn

    // Profiles A, B and C with their own settings (sensitivity x 1, 2, 3) and captions.
    void SetUp() override {
        ASSERT_EQ(SeedAppDataFolder(folder, "EN"), 0);
        WriteFile(folder + "str.ini", "[Profile]\nCurProfileName=A\nItemCount=3\nItem0=A\nItem1=B\nItem2=C\n"
                                      "[Skins]\nLan=EN\n");
        for (int n = 0; n < 3; ++n) {
            SettingsRecord r;
            ApplyFactoryDefaults(r);
            r[rec::kSensitivityX] = static_cast<uint8_t>(n + 1);
            r[rec::kProfileIndex] = static_cast<uint8_t>(n);
            std::string file(1, '\x01');
            file.append(r.bytes.begin(), r.bytes.end());
            WriteFile(Config(n), file);
            WriteFile(Ini(n), "[Profile]\nIsDefault=Y\n[Setting-EN]\nItem1=Click\nItem2=Menu\nItem3=Scroll\n"
                              "Item4=Fn\nItem5=Snipe\nItem6=DPI +\nItem7=DPI -\n[Skins]\nLan=EN\n");
        }
        Start({kA});
        window->RestoreFromTray();
    }
    std::string Config(int n) const { return folder + "config" + std::to_string(n) + ".bin"; }
    std::string Ini(int n) const { return folder + "str" + std::to_string(n) + ".ini"; }
    CConfigDialog& Open() {
        window->OnConfig();
        CConfigDialog* panel = window->ProfilesPanel();
        EXPECT_NE(panel, nullptr);
        return *panel;
    }
    void Select(CConfigDialog& panel, int row) {
        QListWidget* list = panel.List();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }
    std::vector<std::string> Names(CConfigDialog& panel) {
        std::vector<std::string> names;
        for (int i = 0; i < panel.List()->count(); ++i) {
            names.push_back(panel.List()->item(i)->text().toStdString());
        }
        return names;
    }
    void Close(CConfigDialog& panel) {
        QTest::mouseClick(&panel, Qt::LeftButton, {}, CConfigDialog::kCloseRect.center());
        QCoreApplication::sendPostedEvents();
    }
    std::vector<std::string> StoredList() {
        const IniDocument doc = IniDocument::Load(folder + "str.ini");
        std::vector<std::string> names;
        for (int i = 0; i < ParseDecimal(doc.Get("Profile", "ItemCount")); ++i) {
            names.push_back(doc.Get("Profile", "Item" + std::to_string(i)));
        }
        return names;
    }
};

TEST_F(ProfilesPanel, ItHidesTheLeftColumnAndListsTheProfiles) {
    CConfigDialog& panel = Open();
    EXPECT_EQ(Names(panel), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(panel.List()->currentRow(), 0);
    EXPECT_FALSE(window->MacroManagerButton()->isVisibleTo(window.get()));
    EXPECT_EQ(panel.size(), QSize(263, 600));
    // Closing with the profile already current only closes.
    Record()[rec::kSensitivityY] = 9;  // an edit not yet applied stays
    Close(panel);
    EXPECT_EQ(window->ProfilesPanel(), nullptr);
    EXPECT_TRUE(window->MacroManagerButton()->isVisibleTo(window.get()));
    EXPECT_EQ(Record()[rec::kSensitivityY], 9);
}

TEST_F(ProfilesPanel, NewUpToSixAndTheNewOneGetsTheFactorySettings) {
    CConfigDialog& panel = Open();
    QTest::mouseClick(&panel, Qt::LeftButton, {}, CConfigDialog::kNewRect.center());
    EXPECT_EQ(Names(panel).back(), "C 3");  // the last name has no space: it and the count
    for (int i = 0; i < 2; ++i) {
        QTest::mouseClick(&panel, Qt::LeftButton, {}, CConfigDialog::kNewRect.center());
    }
    EXPECT_EQ(Names(panel), (std::vector<std::string>{"A", "B", "C", "C 3", "Profile 4", "Profile 5"}));
    QTest::mouseClick(&panel, Qt::LeftButton, {}, CConfigDialog::kNewRect.center());
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], QStringLiteral("ATTENTION!|Up to 6 Profiles Possible."));
    Select(panel, 3);
    window->PageHost()->ToggleSection(CDlgadvance::kDpi, 0);
    Close(panel);
    EXPECT_EQ(StoredList(), (std::vector<std::string>{"A", "B", "C", "C 3", "Profile 4", "Profile 5"}));
    EXPECT_EQ(ProfileIni::GetString(folder + "str.ini", "Profile", "CurProfileName"), "C 3");
    // The new profile: the base file with the factory settings, saved at its position.
    EXPECT_EQ(Record()[rec::kSensitivityX], 5);
    EXPECT_EQ(Record()[rec::kProfileIndex], 0);  // the base file's byte replaces the number
    EXPECT_EQ(ReadFile(Config(3)).substr(1), std::string(Record().bytes.begin(), Record().bytes.end()));
    EXPECT_EQ(ProfileIni::GetString(Ini(3), "Profile", "IsDefault"), "Y");
    EXPECT_TRUE(window->PageHost()->Collapsed(CDlgadvance::kDpi));
    EXPECT_EQ(window->ProfilesPanel(), nullptr);
}

TEST_F(ProfilesPanel, RenameCopyAndMakeCurrent) {
    CConfigDialog& panel = Open();
    Select(panel, 1);
    Select(panel, 1);  // a second click on the selected profile renames it
    CLBEditorWnd* editor = panel.List()->viewport()->findChild<CLBEditorWnd*>();
    ASSERT_NE(editor, nullptr);
    editor->setText("Bee");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(Names(panel)[1], "Bee");
    Select(panel, 2);
    panel.OnMenuCommand(CConfigDialog::kCopy);
    EXPECT_EQ(Names(panel), (std::vector<std::string>{"A", "Bee", "C", "Copy C"}));
    EXPECT_EQ(panel.List()->currentRow(), 2);
    Select(panel, 3);
    Close(panel);
    // The copy has C's files, and making it current loads C's settings.
    EXPECT_EQ(StoredList(), (std::vector<std::string>{"A", "Bee", "C", "Copy C"}));
    EXPECT_EQ(ReadFile(Config(3)).substr(1 + rec::kSensitivityX, 1), std::string(1, '\x03'));
    EXPECT_EQ(Record()[rec::kSensitivityX], 3);
    EXPECT_EQ(window->XSlider()->Value(), 3);
    EXPECT_EQ(ProfileIni::GetString(Ini(3), "Profile", "IsDefault"), "Y");
}

TEST_F(ProfilesPanel, DeletingFromTheMiddleKeepsEveryNameWithItsSettings) {
    const std::string configC = ReadFile(Config(2));
    const std::string iniC = ReadFile(Ini(2));
    const std::string configA = ReadFile(Config(0));
    CConfigDialog& panel = Open();
    Select(panel, 1);
    QTest::mouseClick(&panel, Qt::LeftButton, {}, CConfigDialog::kDeleteRect.center());
    EXPECT_EQ(Names(panel), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(panel.List()->currentRow(), 1);
    Select(panel, 0);
    Close(panel);
    EXPECT_EQ(StoredList(), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(ReadFile(Config(0)), configA);
    EXPECT_EQ(ReadFile(Config(1)), configC);
    EXPECT_EQ(ReadFile(Ini(1)), iniC);
    EXPECT_FALSE(test::FileExists(Config(2)));
    EXPECT_FALSE(test::FileExists(Config(1) + ".reorder"));
    // C is reached under its name.
    CConfigDialog& again = Open();
    Select(again, 1);
    Close(again);
    EXPECT_EQ(Record()[rec::kSensitivityX], 3);
    // Deleting with one profile left does nothing.
    CConfigDialog& last = Open();
    QTest::mouseClick(&last, Qt::LeftButton, {}, CConfigDialog::kDeleteRect.center());
    QTest::mouseClick(&last, Qt::LeftButton, {}, CConfigDialog::kDeleteRect.center());
    EXPECT_EQ(Names(last).size(), 1u);
}

TEST_F(ProfilesPanel, AFileThatCannotBeWrittenLosesNothing) {
    const std::string before[] = {ReadFile(Config(0)), ReadFile(Config(1)), ReadFile(Config(2))};
    const std::string list = ReadFile(folder + "str.ini");
    // Where C's settings would move to, the disk fails.
    SetFileStepHook([&](FileStep step, const std::string& path) {
        return step == FileStep::kRename && path == Config(1) ? EIO : 0;
    });
    CConfigDialog& panel = Open();
    Select(panel, 1);
    QTest::mouseClick(&panel, Qt::LeftButton, {}, CConfigDialog::kDeleteRect.center());
    Select(panel, 0);
    Close(panel);
    SetFileStepHook({});
    ASSERT_FALSE(asked.empty());
    EXPECT_TRUE(asked.back().contains("The profiles were not changed")) << asked.back().toStdString();
    EXPECT_TRUE(asked.back().contains("config1.bin")) << asked.back().toStdString();
    EXPECT_EQ(ReadFile(folder + "str.ini"), list);
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(ReadFile(Config(n)), before[n]) << n;
    }
    EXPECT_FALSE(test::FileExists(folder + "profiles.journal"));
    EXPECT_EQ(window->ProfilesPanel(), nullptr);
    // The window still holds A, and an Apply saves it into A's files.
    Record()[rec::kSensitivityY] = 7;
    ApplyAndWait();
    EXPECT_EQ(static_cast<uint8_t>(ReadFile(Config(0))[1 + rec::kSensitivityY]), 7);
    EXPECT_EQ(ReadFile(Config(1)), before[1]);
}

TEST_F(ProfilesPanel, AnUnusableListIsNeverSavedOverAndNothingIsApplied) {
    const std::string bad[] = {"7", "-1", "0", "abc", "99999999999"};
    for (const std::string& count : bad) {
        const std::string list = "[Profile]\nCurProfileName=A\nItemCount=" + count + "\nItem0=A\nItem1=B\nItem2=C\n";
        WriteFile(folder + "str.ini", list);
        const std::string before[] = {ReadFile(Config(0)), ReadFile(Config(1)), ReadFile(Config(2))};
        window.reset();
        asked.clear();
        Start({kA});
        window->RestoreFromTray();
        CConfigDialog& panel = Open();
        ASSERT_EQ(asked.size(), 1u) << count;
        EXPECT_TRUE(asked[0].contains("cannot be used (ItemCount must be 1 to 6)")) << asked[0].toStdString();
        EXPECT_EQ(panel.List()->count(), 0);
        QTest::mouseClick(&panel, Qt::LeftButton, {}, CConfigDialog::kNewRect.center());
        EXPECT_EQ(panel.List()->count(), 0) << count;
        Close(panel);
        // Apply and Reset send and save nothing, and say why.
        asked.clear();
        window->OnApply();
        ASSERT_EQ(asked.size(), 1u) << count;
        EXPECT_TRUE(asked[0].contains("cannot be used")) << asked[0].toStdString();
        asked.clear();
        window->OnReset();
        ASSERT_EQ(asked.size(), 1u) << count;
        EXPECT_EQ(ReadFile(folder + "str.ini"), list) << count;
        for (int n = 0; n < 3; ++n) {
            EXPECT_EQ(ReadFile(Config(n)), before[n]) << count << ": " << n;
            EXPECT_TRUE(test::FileExists(Ini(n))) << count << ": " << n;
        }
    }
}

TEST_F(ProfilesPanel, ANewProfileKeepsTheBaseFilesAndTheNextStartHasItsTexts) {
    CConfigDialog& panel = Open();
    QTest::mouseClick(&panel, Qt::LeftButton, {}, CConfigDialog::kNewRect.center());
    Close(panel);  // the new one is made current
    for (int n = 3; n < 6; ++n) {
        EXPECT_TRUE(test::FileExists(Ini(n))) << n;
        EXPECT_EQ(ProfileIni::GetString(Ini(n), "Skins", "Lan"), "EN") << n;
    }
    // The next start reads the new profile's language.
    window.reset();
    Start({kA}, "EN");
    EXPECT_EQ(window->Files().CurrentProfileNumber(), 3);
    EXPECT_EQ(window->Strings().Code(), "EN");
    EXPECT_FALSE(window->Strings()[UiStrings::kSectionName].empty());
    // A profile file without a language code gets the seeding's one, and keeps it.
    ProfileIni::WriteString(Ini(3), "Skins", "Lan", "");
    window.reset();
    test::ScopedEnv locale("LC_ALL", "de_DE.UTF-8");
    Start({kA}, "EN");
    EXPECT_EQ(window->Strings().Code(), "DE");
    EXPECT_EQ(ProfileIni::GetString(Ini(3), "Skins", "Lan"), "DE");
}

TEST_F(ProfilesPanel, AnImportThatDidNotHappenChangesNothing) {
    const std::string configB = ReadFile(Config(1));
    const std::string refused = dir / "short.bin";
    WriteFile(refused, std::string(1000, '\x01'));
    for (const std::optional<std::string>& answer : {std::optional<std::string>(), std::optional<std::string>(refused)}) {
        chooseFile = [&](bool, const std::string&) { return answer; };
        asked.clear();
        CConfigDialog& panel = Open();
        Select(panel, 1);  // B
        panel.OnMenuCommand(CConfigDialog::kLoad);
        QCoreApplication::sendPostedEvents();
        if (answer) {
            ASSERT_EQ(asked.size(), 1u);
            EXPECT_TRUE(asked[0].contains("short.bin is not a profile file (1000 bytes")) << asked[0].toStdString();
        } else {
            EXPECT_TRUE(asked.empty());
        }
        CConfigDialog* open = window->ProfilesPanel();
        ASSERT_NE(open, nullptr);
        Select(*open, 0);
        Close(*open);
        Record()[rec::kSensitivityY] = 8;
        ApplyAndWait();
        EXPECT_EQ(ReadFile(Config(1)), configB);  // B keeps its own settings
        EXPECT_EQ(static_cast<uint8_t>(ReadFile(Config(0))[1 + rec::kSensitivityY]), 8);
    }
}

TEST_F(ProfilesPanel, AnApplyWhileThePanelIsOpenSavesIntoTheCurrentProfile) {
    // "Game" is current, and a later name starts with it.
    WriteFile(folder + "str.ini", "[Profile]\nCurProfileName=Game\nItemCount=3\nItem0=Game\nItem1=Game 1\nItem2=C\n");
    window.reset();
    Start({kA});
    const std::string configB = ReadFile(Config(1));
    CConfigDialog& panel = Open();
    EXPECT_EQ(panel.List()->currentRow(), 0);
    Record()[rec::kSensitivityY] = 6;
    ApplyAndWait();
    EXPECT_EQ(ReadFile(Config(1)), configB);
    EXPECT_EQ(static_cast<uint8_t>(ReadFile(Config(0))[1 + rec::kSensitivityY]), 6);
}

TEST_F(ProfilesPanel, AnExportKeepsScreenCaptionsAndRecordInStep) {
    // Button 6 gets F5, not yet applied; the export saves it, then the profile is read back.
    window->menuSlot = 5;
    window->OnButtonCommand(2005);  // Back on button 6
    const QString assigned = window->DropDownOfSlot(5)->caption;
    ASSERT_EQ(assigned, QStringLiteral("Back"));
    chooseFile = [&](bool, const std::string&) { return std::optional<std::string>(dir / "mine.bin"); };
    CConfigDialog& panel = Open();
    panel.OnMenuCommand(CConfigDialog::kSave);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(ProfileIni::GetString(dir / "mine.ini", "Setting-EN", "Item6"), assigned.toStdString());
    // Read back: the profile as saved, and captions that say so.
    EXPECT_EQ(Record()[rec::kButtonKind + 5], ReadFile(Config(0))[1 + rec::kButtonKind + 5]);
    EXPECT_EQ(window->DropDownOfSlot(5)->caption, QStringLiteral("DPI +"));
    EXPECT_EQ(window->Captions()[5], "DPI +");
    EXPECT_EQ(ProfileIni::GetString(Ini(0), "Setting-EN", "Item6"), "DPI +");
}

TEST_F(ProfilesPanel, AFailedExportIsToldAndLeavesNoHalfPair) {
    const std::string target = dir / "out/mine.bin";
    ASSERT_EQ(::mkdir((dir / "out").c_str(), 0755), 0);
    // The captions file cannot be written: neither file appears.
    SetFileStepHook([&](FileStep step, const std::string& path) {
        return step == FileStep::kRename && path == dir / "out/mine.ini" ? ENOSPC : 0;
    });
    chooseFile = [&](bool, const std::string&) { return std::optional<std::string>(target); };
    CConfigDialog& panel = Open();
    asked.clear();
    panel.OnMenuCommand(CConfigDialog::kSave);
    QCoreApplication::sendPostedEvents();
    SetFileStepHook({});
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].contains("mine.ini")) << asked[0].toStdString();
    EXPECT_EQ(test::ListFolder(dir / "out"), std::vector<std::string>{});
}

TEST_F(ProfilesPanel, ExportThenImportRoundTripsByteForByte) {
    Record()[rec::kSensitivityX] = 7;
    Record()[rec::kLightEffect] = 9;
    Record()[rec::kReserved1883] = 0x5C;
    Record()[rec::kButtonKind + 4] = kKindBasicCommand;
    Record()[rec::kShortcutKey + 4] = 0x1D;
    window->Captions()[4] = "Undo";
    window->RefreshCaptions();
    const SettingsRecord expected = Record();
    const std::string exported = dir / "mine";  // without ".bin": it is added
    int asks = 0;
    chooseFile = [&](bool save, const std::string& initial) -> std::optional<std::string> {
        ++asks;
        EXPECT_EQ(initial, Config(0));
        return save ? exported : exported + ".bin";
    };
    CConfigDialog& panel = Open();
    panel.OnMenuCommand(CConfigDialog::kSave);
    QCoreApplication::sendPostedEvents();
    const std::string file = ReadFile(exported + ".bin");
    ASSERT_EQ(file.size(), 1885u);
    EXPECT_EQ(file.substr(1), std::string(expected.bytes.begin(), expected.bytes.end()));
    EXPECT_EQ(ProfileIni::GetString(exported + ".ini", "Setting-EN", "Item5"), "Undo");
    EXPECT_EQ(ProfileIni::GetString(exported + ".ini", "Setting-DE", "Item5"), "Rückgängig machen");
    // The export reloaded profile A from its file; the import brings the exported one back.
    EXPECT_EQ(Record()[rec::kSensitivityX], 1);
    CConfigDialog* again = window->ProfilesPanel();
    ASSERT_NE(again, nullptr);
    again->OnMenuCommand(CConfigDialog::kLoad);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(Record(), expected);
    EXPECT_EQ(window->DropDownOfSlot(4)->caption, QStringLiteral("Undo"));
    EXPECT_EQ(asks, 2);
    // Closing after an import only closes: the imported record stays until Apply.
    Close(*again);
    EXPECT_EQ(Record(), expected);
    ApplyAndWait();
    EXPECT_EQ(ReadFile(Config(0)), file);
}

}  // namespace
}  // namespace qm
