// SPDX-License-Identifier: GPL-3.0-or-later
// The macro assignment and single key dialogs, opened from the button menus of the window
// (commands 2012 and 2011) and driven while they run.
#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include "MainWindowFixture.h"
#include "controls/CBitmapBtn.h"
#include "dialogs/CMacroDialog.h"
#include "dialogs/CSingleDialog.h"
#include "model/ButtonCatalogue.h"
#include "platform/ProfileIni.h"

namespace qm {
namespace {

using test::kA;

const char* kStore =
    "[MacroName]\nMacroCount=3\n0=Macro_1\n1=Macro_10\n2=Macro_2\n"
    "[Macro_1]\nMacroLoopTimes=1\nItemCount=2\nItem0=A   Dn\nItem1=A   Up\n";

struct AssignDialogs : test::MainWindow {
    void SetUp() override {
        Start({kA});
        window->keyboardGrab = [](QWidget*, bool) { return true; };
    }
    // Runs `command` on button slot 2 while `drive` works the dialog that opens.
    template <typename Dialog>
    void Run(int command, const std::function<void(Dialog&)>& drive) {
        bool driven = false;
        QTimer::singleShot(0, [&] {
            Dialog* dialog = nullptr;
            (void)QTest::qWaitFor([&] { return (dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) != nullptr; },
                            test::kPatienceMs);
            if (dialog == nullptr) {
                ADD_FAILURE() << "no dialog opened";
                if (QWidget* other = QApplication::activeModalWidget()) {
                    other->close();
                }
                return;
            }
            [&] { drive(*dialog); }();  // a failed assertion inside ends only the driving
            driven = true;
            if (dialog->isVisible()) {
                dialog->reject();
            }
        });
        window->menuSlot = 2;
        window->OnButtonCommand(command);
        ASSERT_TRUE(driven);
    }
    static void Click(QWidget* w, const QPoint& at) { QTest::mouseClick(w, Qt::LeftButton, {}, at); }
    std::string Caption() const { return window->DropDownOfSlot(2)->caption.toStdString(); }
};

TEST_F(AssignDialogs, AMacroWithEachRunModeReachesTheButtonTable) {
    test::WriteFile(folder + "record.ini", kStore);
    struct Case {
        int mode;
        const char* wire;  // entry 2 of the button table
    };
    for (const Case& c : {Case{0, "00 01 00 0A"}, Case{1, "00 03 00 0A"}, Case{2, "00 02 00 0A"}}) {
        Run<CMacroDialog>(kCmdMacro, [&](CMacroDialog& d) {
            Click(&d, CMacroDialog::TickRect(2).center());  // a mode picked before the macro...
            Click(&d, CMacroDialog::kNameArea.center());
            ASSERT_TRUE(d.ListOpen());
            ASSERT_EQ(d.DropList()->count(), 3);
            Click(d.DropList()->viewport(), d.DropList()->visualItemRect(d.DropList()->item(0)).center());
            EXPECT_FALSE(d.ListOpen());
            EXPECT_EQ(d.runMode, 0);  // ...goes back to "once" when the macro is chosen
            EXPECT_EQ(d.NameField()->text(), QStringLiteral("Macro_1"));
            Click(&d, CMacroDialog::TickRect(c.mode).center());
            Click(&d, CMacroDialog::kOk.center());
        });
        EXPECT_EQ(Record()[rec::kButtonKind + 2], kKindMacro);
        EXPECT_EQ(Record()[rec::kMacroNumber + 2], 0);
        EXPECT_EQ(Record()[rec::kMacroRunMode + 2], c.mode);
        EXPECT_EQ(Caption(), "Macro:Macro_1");
        ApplyAndWait();
        std::string table = test::kFactoryButtonTable;
        table.replace(24, 11, c.wire);
        EXPECT_EQ(test::ToHex(Devices().MouseState(kA).buttonTable), table) << c.mode;
    }
    EXPECT_EQ(ProfileIni::GetString(folder + "str0.ini", "Setting-EN", "Item3"), "Macro:Macro_1");
}

TEST_F(AssignDialogs, TheMacroDialogOpensOnTheButtonsMacro) {
    test::WriteFile(folder + "record.ini", kStore);
    Record()[rec::kButtonKind + 2] = kKindMacro;
    Record()[rec::kMacroNumber + 2] = 2;
    Record()[rec::kMacroRunMode + 2] = 1;
    window->DropDownOfSlot(2)->caption = "Macro:Macro_2";
    Run<CMacroDialog>(kCmdMacro, [](CMacroDialog& d) {
        EXPECT_EQ(d.NameField()->text(), QStringLiteral("Macro_2"));
        EXPECT_EQ(d.runMode, 1);
        EXPECT_EQ(d.macroNumber, 2);
        // Enter and Esc close nothing.
        QTest::keyClick(&d, Qt::Key_Return);
        QTest::keyClick(&d, Qt::Key_Escape);
        EXPECT_TRUE(d.isVisible());
        Click(&d, CMacroDialog::kOk.center());
    });
    EXPECT_EQ(Record()[rec::kMacroNumber + 2], 2);
    EXPECT_EQ(Record()[rec::kMacroRunMode + 2], 1);
    EXPECT_EQ(Caption(), "Macro:Macro_2");

    // The list finds the preset by prefix from its second entry: Macro_1 finds Macro_10.
    window->DropDownOfSlot(2)->caption = "Macro:Macro_1";
    Record()[rec::kMacroNumber + 2] = 0;
    Run<CMacroDialog>(kCmdMacro, [](CMacroDialog& d) {
        Click(&d, CMacroDialog::kNameArea.center());
        EXPECT_EQ(d.DropList()->currentRow(), 1);
        EXPECT_EQ(d.macroNumber, 0);  // only a click chooses
        Click(&d, QPoint(300, 40));   // anywhere else closes the list
        EXPECT_FALSE(d.ListOpen());
        Click(&d, CMacroDialog::kCancel.center());
    });
    EXPECT_EQ(Record()[rec::kMacroNumber + 2], 0);
}

TEST_F(AssignDialogs, WithoutMacrosNothingCanBeChosenOrChanged) {
    const SettingsRecord before = Record();
    Run<CMacroDialog>(kCmdMacro, [](CMacroDialog& d) {
        Click(&d, CMacroDialog::kNameArea.center());
        EXPECT_TRUE(d.ListOpen());
        EXPECT_EQ(d.DropList()->count(), 0);
        Click(&d, CMacroDialog::kOk.center());
    });
    EXPECT_EQ(Record(), before);
    EXPECT_EQ(Caption(), "Scroll");
}

struct Key {
    quint32 keycode;
    quint32 keysym;
    int qtKey;
    Qt::KeyboardModifiers modifiers;
};

void Send(QWidget* w, const Key& key, bool press) {
    QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, key.qtKey, key.modifiers, key.keycode, key.keysym, 0);
    QCoreApplication::sendEvent(w, &event);
    QCoreApplication::sendPostedEvents(w);
}

TEST_F(AssignDialogs, TheSingleKeyDialogNamesTheLastKey) {
    struct Case {
        std::vector<Key> keys;  // pressed in order, released in reverse
        const char* name;
        uint8_t usage;
    };
    const Case cases[] = {
        {{{56, 'b', Qt::Key_B, {}}}, "B", 5},
        {{{71, 0xFFC2, Qt::Key_F5, {}}}, "F5", 62},
        {{{87, 0xFFB1, Qt::Key_1, Qt::KeypadModifier}}, "Num 1", 89},
        {{{104, 0xFF8D, Qt::Key_Enter, {}}}, "Num Enter", 88},
        {{{105, 0xFFE4, Qt::Key_Control, {}}}, "Right Ctrl", 228},
        {{{135, 0xFF67, Qt::Key_Menu, {}}}, "App", 101},
        {{{62, 0xFFE2, Qt::Key_Shift, {}}}, "Right Shift", 229},
        {{{37, 0xFFE3, Qt::Key_Control, {}}, {38, 'a', Qt::Key_A, Qt::ControlModifier}}, "Ctrl", 224},
        {{{36, 0xFF0D, Qt::Key_Return, {}}}, "Enter", 40},
    };
    for (const Case& c : cases) {
        Run<CSingleDialog>(kCmdKeyboardKey, [&](CSingleDialog& d) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return d.Capture().Active(); }, test::kPatienceMs));
            for (const Key& key : c.keys) {
                Send(&d, key, true);
            }
            for (auto it = c.keys.rbegin(); it != c.keys.rend(); ++it) {
                Send(&d, *it, false);
            }
            EXPECT_EQ(d.NameField()->text(), QString::fromLatin1(c.name));
            EXPECT_TRUE(d.isVisible());  // Enter and Esc are keys here, not closers
            Click(&d, CSingleDialog::kOk.center());
        });
        EXPECT_EQ(Record()[rec::kButtonKind + 2], kKindKeyboardKey) << c.name;
        EXPECT_EQ(Record()[rec::kKeyUsage + 2], c.usage) << c.name;
        EXPECT_EQ(Caption(), std::string("Assign Keyboard Key-") + c.name);
    }
}

TEST_F(AssignDialogs, ASingleKeyThatChangesNothing) {
    Record()[rec::kKeyUsage + 2] = 4;  // A, while the button still scrolls
    const SettingsRecord before = Record();
    // Cancel after a key.
    Run<CSingleDialog>(kCmdKeyboardKey, [](CSingleDialog& d) {
        EXPECT_EQ(d.NameField()->text(), QStringLiteral("A"));  // the current key
        ASSERT_TRUE(QTest::qWaitFor([&] { return d.Capture().Active(); }, test::kPatienceMs));
        Send(&d, {56, 'b', Qt::Key_B, {}}, true);
        Click(&d, CSingleDialog::kCancel.center());
    });
    // A key without a name blanks the field; OK then changes nothing.
    Run<CSingleDialog>(kCmdKeyboardKey, [](CSingleDialog& d) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return d.Capture().Active(); }, test::kPatienceMs));
        Send(&d, {121, 0x1008FF12, Qt::Key_VolumeMute, {}}, true);
        EXPECT_TRUE(d.NameField()->text().isEmpty());
        Click(&d, CSingleDialog::kOk.center());
    });
    EXPECT_EQ(Record(), before);
    EXPECT_EQ(Caption(), "Scroll");
    // A refused grab is said, not passed over; keys still come while the dialog has the
    // focus.
    window->keyboardGrab = [](QWidget*, bool grab) { return !grab; };
    Run<CSingleDialog>(kCmdKeyboardKey, [this](CSingleDialog& d) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return !asked.empty(); }, test::kPatienceMs));
        EXPECT_FALSE(d.Capture().Grabbed());
        EXPECT_TRUE(asked.back().contains("JournalRecordHook Install error code :")) << asked.back().toStdString();
        Send(&d, {56, 'b', Qt::Key_B, {}}, true);
        EXPECT_EQ(d.NameField()->text(), QStringLiteral("B"));
        Click(&d, CSingleDialog::kCancel.center());
    });
    EXPECT_EQ(Record(), before);
}

TEST_F(AssignDialogs, AKeyPressedAsTheDialogShowsIsTaken) {
    // Before the desktop has granted the grab (it may take a moment), the key is taken.
    window->keyboardGrab = [](QWidget*, bool grab) { return !grab; };
    Run<CSingleDialog>(kCmdKeyboardKey, [](CSingleDialog& d) {
        EXPECT_TRUE(d.Capture().Active());
        Send(&d, {71, 0xFFC2, Qt::Key_F5, {}}, true);
        Send(&d, {71, 0xFFC2, Qt::Key_F5, {}}, false);
        EXPECT_EQ(d.NameField()->text(), QStringLiteral("F5"));
        Click(&d, CSingleDialog::kOk.center());
    });
    EXPECT_EQ(Record()[rec::kButtonKind + 2], kKindKeyboardKey);
    EXPECT_EQ(Record()[rec::kKeyUsage + 2], 62);
}

}  // namespace
}  // namespace qm
