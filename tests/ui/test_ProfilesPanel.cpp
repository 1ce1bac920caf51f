// The profiles panel of the window with three profiles on disk: names, files that follow
// them, making a profile current, export and import.
#include <QListWidget>
#include <QTest>
#include <sys/stat.h>

#include "MainWindowFixture.h"
#include "controls/CBitmapBtn.h"
#include "controls/CDMarker.h"
#include "platform/Format.h"
#include "dialogs/CConfigDialog.h"
#include "dialogs/CLBEditorWnd.h"
#include "pages/CDlgadvance.h"
#include "model/ButtonCatalogue.h"
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
    // Where C's settings would move to, a folder is in the way.
    ASSERT_EQ(mkdir((Config(1) + ".reorder").c_str(), 0755), 0);
    CConfigDialog& panel = Open();
    Select(panel, 1);
    QTest::mouseClick(&panel, Qt::LeftButton, {}, CConfigDialog::kDeleteRect.center());
    Select(panel, 0);
    Close(panel);
    ASSERT_FALSE(asked.empty());
    EXPECT_TRUE(asked.back().contains("config1.bin")) << asked.back().toStdString();
    EXPECT_EQ(ReadFile(folder + "str.ini"), list);
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(ReadFile(Config(n)), before[n]) << n;
    }
    EXPECT_EQ(window->ProfilesPanel(), nullptr);
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
