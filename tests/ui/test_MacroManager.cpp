// SPDX-License-Identifier: GPL-3.0-or-later
// The macro manager with its recorder and in-place editor, driven as a user would: clicks
// at its pixels, key events that carry the X11 keycode and keysym.
#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "MainWindowFixture.h"
#include "TestUtil.h"
#include "controls/CBitmapBtn.h"
#include "controls/MessageEvent.h"
#include "dialogs/CLBEditorWnd.h"
#include "dialogs/CMacroDialog.h"
#include "dialogs/CMacroProgramDialog.h"
#include "dialogs/CSingleDialog.h"
#include "macros/KeyNames.h"
#include "model/ButtonCatalogue.h"
#include "platform/KeyboardCapture.h"
#include "platform/ProfileIni.h"

namespace qm {
namespace {

using test::ReadFile;
using test::WriteFile;

// A key as X11 reports it: keycode (evdev + 8), keysym, and the Qt key.
struct Key {
    quint32 keycode;
    quint32 keysym;
    int qtKey;
};
constexpr Key kKeyA{38, 'a', Qt::Key_A};
constexpr Key kKeyB{56, 'b', Qt::Key_B};
constexpr Key kEnter{36, 0xFF0D, Qt::Key_Return};
constexpr Key kKeypadEnter{104, 0xFF8D, Qt::Key_Enter};
constexpr Key kCtrl{37, 0xFFE3, Qt::Key_Control};
constexpr Key kPause{127, 0xFF13, Qt::Key_Pause};

struct MacroManager : ::testing::Test {
    test::TempDir dir;
    std::string path = dir / "record.ini";
    CapturedDebugOutput debug;
    std::vector<QString> messages;
    uint32_t now = 1000;
    bool grantGrab = true;
    std::array<std::string, 7> captions{"Click", "Menu", "Scroll", "Fn", "Snipe", "DPI +", "DPI -"};
    std::unique_ptr<CMacroProgramDialog> dialog;

    void Open(const char* store = nullptr) {
        if (store != nullptr) {
            WriteFile(path, store);
        }
        dialog = std::make_unique<CMacroProgramDialog>(
            path, "EN", debug, [this](const QString& caption, const QString& text) { messages.push_back(caption + "|" + text); });
        dialog->tickCount = [this] { return now; };
        dialog->Capture().SetGrab([this](QWidget*, bool grab) { return !grab || grantGrab; });
        dialog->Open(captions);
        dialog->show();
    }
    void Click(const QRect& r) { QTest::mouseClick(dialog.get(), Qt::LeftButton, {}, r.center()); }
    void Record() { QTest::mouseClick(dialog->RecordButton(), Qt::LeftButton, {}, QPoint(40, 12)); }
    // One key event; the recorder's messages are handled when `handle` is set.
    void Send(const Key& key, bool press, bool autoRepeat = false, Qt::KeyboardModifiers modifiers = {},
              bool handle = true) {
        QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, key.qtKey, modifiers, key.keycode, key.keysym,
                        0, QString(), autoRepeat);
        QCoreApplication::sendEvent(dialog.get(), &event);
        if (handle) {
            QCoreApplication::sendPostedEvents(dialog.get());
        }
    }
    void Type(const Key& key) {
        Send(key, true);
        Send(key, false);
    }
    std::vector<std::string> Keys() const { return dialog->State().keystrokes; }
    std::vector<std::string> ListLines(QListWidget* list) const {
        std::vector<std::string> lines;
        for (int i = 0; i < list->count(); ++i) {
            lines.push_back(list->item(i)->text().toStdString());
        }
        return lines;
    }
    std::vector<std::string> StoredItems(const std::string& name) { return MacroStore(path).ReadMacro(name).items; }
    // The editor open over a list (an ended one may wait for its deletion, hidden).
    static CLBEditorWnd* Editor(QListWidget* list) {
        for (CLBEditorWnd* editor : list->viewport()->findChildren<CLBEditorWnd*>()) {
            if (editor->isVisible()) {
                return editor;
            }
        }
        return nullptr;
    }
};

const char* kTwoMacros =
    "[MacroName]\nMacroCount=2\n0=Macro_1\n1=Macro_2\n"
    "[Macro_1]\nDelayTimeSelStatus=0\nMacroLoopTimes=1\nItemCount=2\nItem0=A   Dn\nItem1=A   Up\n"
    "[Macro_2]\nDelayTimeSelStatus=0\nMacroLoopTimes=3\nItemCount=0\n";

TEST_F(MacroManager, RecordingTypesPressesAndReleasesWithTheirDelays) {
    Open("");
    Click(CMacroProgramDialog::kNew);
    ASSERT_EQ(dialog->State().names, std::vector<std::string>{"Macro_1"});
    Record();
    ASSERT_TRUE(dialog->Recorder().Recording());
    EXPECT_EQ(dialog->RecordButton()->caption, QStringLiteral("Stop Recording"));
    Type(kKeyA);
    EXPECT_EQ(Keys(), (std::vector<std::string>{"A   Dn", "A   Up"}));
    Record();  // stop: the list goes to the store
    EXPECT_FALSE(dialog->Recorder().Recording());
    EXPECT_FALSE(dialog->Capture().Active());
    EXPECT_EQ(StoredItems("Macro_1"), (std::vector<std::string>{"A   Dn", "A   Up"}));

    // With the delay option: the pause before every event but the first.
    Click(CMacroProgramDialog::kDelayTick);
    Record();
    Send(kKeyA, true);
    now += 120;
    Send(kKeyA, false);
    now += 7;
    Send(kKeyB, true);
    Record();
    EXPECT_EQ(Keys(), (std::vector<std::string>{"A   Dn", "120 ms", "A   Up", "7 ms", "B   Dn"}));
    EXPECT_EQ(ListLines(dialog->KeystrokeList()), Keys());
    EXPECT_EQ(ProfileIni::GetString(path, "Macro_1", "DelayTimeSelStatus"), "1");
    EXPECT_TRUE(debug.Contains("vk code=41,scan code=1e,key flag=0\n"));
}

TEST_F(MacroManager, WhereKeysComeOnlyWithTheFocusARecordingPausesWithoutIt) {
    Open("");
    dialog->Capture().SetFocusOnly(true);  // as on Wayland
    Click(CMacroProgramDialog::kNew);
    Click(CMacroProgramDialog::kDelayTick);
    Record();
    Send(kKeyA, true);
    now += 30;
    QEvent away(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(dialog.get(), &away);
    EXPECT_TRUE(dialog->RecordingPaused());
    EXPECT_TRUE(dialog->Recorder().Recording());
    // The title says so.
    const QImage shown = dialog->grab().toImage();
    now += 60000;  // a minute in another window
    QEvent back(QEvent::WindowActivate);
    QCoreApplication::sendEvent(dialog.get(), &back);
    EXPECT_FALSE(dialog->RecordingPaused());
    EXPECT_NE(shown, dialog->grab().toImage());
    now += 20;
    Send(kKeyA, false);
    Record();
    // The time away is no pause of the macro.
    EXPECT_EQ(Keys(), (std::vector<std::string>{"A   Dn", "50 ms", "A   Up"}));
    // With a grab of the whole keyboard, losing the focus pauses nothing.
    dialog->Capture().SetFocusOnly(false);
    Record();
    QCoreApplication::sendEvent(dialog.get(), &away);
    EXPECT_FALSE(dialog->RecordingPaused());
    Record();
}

TEST_F(MacroManager, WhatTheRecorderKeepsAndWhatItDrops) {
    Open(kTwoMacros);
    struct Case {
        const char* what;
        bool delays;
        std::function<void(MacroManager&)> typing;
        std::vector<std::string> items;
    };
    const Case cases[] = {
        {"a held key records one press", false,
         [](MacroManager& t) {
             t.Send(kKeyA, true);
             for (int i = 0; i < 3; ++i) {
                 t.Send(kKeyA, false, true);  // X11's repeat: a release and a press, both marked
                 t.Send(kKeyA, true, true);
             }
             t.Send(kKeyA, false);
         },
         {"A   Dn", "A   Up"}},
        {"a held key whose repeats come unmarked, as presses alone", false,
         [](MacroManager& t) {
             for (int i = 0; i < 4; ++i) {
                 t.Send(kKeyA, true);  // X11 with detectable auto-repeat: presses, then one release
             }
             t.Send(kKeyA, false);
             t.Type(kKeyA);  // pressed again after the release: a press of its own
         },
         {"A   Dn", "A   Up", "A   Dn", "A   Up"}},
        {"the keypad Enter and the main one", false, [](MacroManager& t) { t.Type(kKeypadEnter); t.Type(kEnter); },
         {"Num Enter   Dn", "Num Enter   Up", "Enter   Dn", "Enter   Up"}},
        {"Ctrl+Break: the Break key has no name", false,
         [](MacroManager& t) {
             t.Send(kCtrl, true);
             t.Send(kPause, true, false, Qt::ControlModifier);
             t.Send(kPause, false, false, Qt::ControlModifier);
             t.Send(kCtrl, false, false, Qt::ControlModifier);
         },
         {"Ctrl   Dn", "Ctrl   Up"}},
        {"a release first, without a delay before it", true,
         [](MacroManager& t) {
             t.Send(kKeyB, false);
             t.now += 40;
             t.Send(kKeyA, true);
         },
         {"B   Up", "40 ms", "A   Dn"}},
        {"events hooked before any is handled keep their own names", false,
         [](MacroManager& t) {
             t.Send(kKeyA, true, false, {}, false);
             t.Send(kKeyB, true, false, {}, false);
             t.Send(kKeyA, false, false, {}, false);
             QCoreApplication::sendPostedEvents(t.dialog.get());
         },
         {"A   Dn", "B   Dn", "A   Up"}},
    };
    for (const Case& c : cases) {
        if (dialog->State().recordDelays != c.delays) {
            Click(CMacroProgramDialog::kDelayTick);
        }
        Record();
        c.typing(*this);
        Record();
        EXPECT_EQ(StoredItems("Macro_1"), c.items) << c.what;
    }
    // Keys the recorder swallows do not reach the dialog: Enter did not close it.
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(MacroManager, The63rdEventEndsTheRecording) {
    Open(kTwoMacros);
    Record();
    for (int i = 0; i < 31; ++i) {
        Type(i % 2 == 0 ? kKeyA : kKeyB);
    }
    EXPECT_EQ(Keys().size(), 62u);
    EXPECT_TRUE(dialog->Recorder().Recording());
    Send(kKeyA, true);
    EXPECT_FALSE(dialog->Recorder().Recording());
    EXPECT_EQ(Keys().size(), 62u);
    EXPECT_EQ(StoredItems("Macro_1").size(), 62u);
    // Keys after the end act normally again: nothing is captured.
    Send(kKeyB, true);
    EXPECT_EQ(Keys().size(), 62u);
}

TEST_F(MacroManager, RecordingNeedsASelectedMacroAndAGrantedGrab) {
    Open("");
    Record();
    EXPECT_FALSE(dialog->Recorder().Recording());
    EXPECT_FALSE(dialog->Capture().Active());
    Click(CMacroProgramDialog::kNew);
    grantGrab = false;
    Record();
    EXPECT_FALSE(dialog->Recorder().Recording());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].contains("JournalRecordHook Install error code :")) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains("keyboard")) << messages[0].toStdString();
}

TEST_F(MacroManager, ChangingTheMacroWhileRecordingSavesToTheOneItStartedOn) {
    Open(kTwoMacros);
    Record();
    Type(kKeyB);
    dialog->NameList()->setCurrentRow(1);  // the user picks Macro_2
    EXPECT_FALSE(dialog->Recorder().Recording());
    EXPECT_EQ(dialog->State().selected, 1);
    EXPECT_EQ(StoredItems("Macro_1"), (std::vector<std::string>{"B   Dn", "B   Up"}));
    EXPECT_TRUE(StoredItems("Macro_2").empty());
    EXPECT_EQ(dialog->LoopBox()->text(), QStringLiteral("3"));
}

TEST_F(MacroManager, NewNamesAndTheLimitOfTwelve) {
    struct Case {
        std::vector<std::string> names;
        std::string created;
    };
    const Case cases[] = {{{"Macro_1", "Macro_7"}, "Macro_8"},
                          {{"x", "y", "z"}, "Macro_4"},
                          {{"a_b"}, "Macro_1"},
                          {{}, "Macro_1"}};
    for (const Case& c : cases) {
        std::string store = "[MacroName]\nMacroCount=" + std::to_string(c.names.size()) + "\n";
        for (size_t i = 0; i < c.names.size(); ++i) {
            store += std::to_string(i) + "=" + c.names[i] + "\n";
        }
        Open(store.c_str());
        Click(CMacroProgramDialog::kNew);
        ASSERT_FALSE(dialog->State().names.empty());
        EXPECT_EQ(dialog->State().names.back(), c.created);
        EXPECT_EQ(dialog->NameList()->currentRow(), static_cast<int>(c.names.size()));
        EXPECT_EQ(ProfileIni::GetString(path, c.created, "MacroLoopTimes"), "1");
    }
    Open("");
    for (int i = 0; i < 12; ++i) {
        Click(CMacroProgramDialog::kNew);
    }
    EXPECT_EQ(dialog->State().names.size(), 12u);
    EXPECT_TRUE(messages.empty());
    Click(CMacroProgramDialog::kNew);
    EXPECT_EQ(dialog->State().names.size(), 12u);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], QStringLiteral("ATTENTION!|Up to 12 Macros Possible."));
    EXPECT_EQ(MacroStore(path).ReadNames().size(), 12u);
}

TEST_F(MacroManager, DeleteSparesMacrosThatButtonsRun) {
    captions[3] = "Macro:Macro_2";
    Open(kTwoMacros);
    dialog->NameList()->setCurrentRow(1);
    Click(CMacroProgramDialog::kDelete);
    EXPECT_EQ(dialog->State().names.size(), 2u);  // in use: nothing happens
    dialog->NameList()->setCurrentRow(0);
    Click(CMacroProgramDialog::kDelete);
    EXPECT_EQ(dialog->State().names, std::vector<std::string>{"Macro_2"});
    EXPECT_EQ(dialog->State().selected, 0);
    EXPECT_FALSE(IniDocument::Load(path).HasSection("Macro_1"));
    captions[3] = "Fn";
    Open();
    Click(CMacroProgramDialog::kDelete);
    EXPECT_TRUE(dialog->State().names.empty());
    EXPECT_EQ(ReadFile(path).substr(0, 29), "[MacroName]\nMacroCount=0\n0=\n");
    EXPECT_FALSE(dialog->LoopBox()->isEnabled());
}

TEST_F(MacroManager, TheContextMenuInsertsClicksAndDelays) {
    Open(kTwoMacros);
    QListWidget* keys = dialog->KeystrokeList();
    struct Case {
        int selected;
        int command;
        std::vector<std::string> lines;
        int selectedAfter;
    };
    const Case cases[] = {
        {0, CMacroProgramDialog::kInsertLeft, {"A   Dn", "L-Button   Dn", "L-Button   Up", "A   Up"}, 2},
        {3, CMacroProgramDialog::kInsertDelay, {"A   Dn", "L-Button   Dn", "L-Button   Up", "50 ms", "A   Up"}, 4},
        {3, CMacroProgramDialog::kInsertMiddle,
         {"A   Dn", "L-Button   Dn", "L-Button   Up", "50 ms", "M-Button   Dn", "M-Button   Up", "A   Up"}, 4},
        {3, CMacroProgramDialog::kInsertDelay,  // on a delay: nothing
         {"A   Dn", "L-Button   Dn", "L-Button   Up", "50 ms", "M-Button   Dn", "M-Button   Up", "A   Up"}, 3},
        {0, CMacroProgramDialog::kInsertDelay,  // on the first line: nothing
         {"A   Dn", "L-Button   Dn", "L-Button   Up", "50 ms", "M-Button   Dn", "M-Button   Up", "A   Up"}, 0},
        {6, CMacroProgramDialog::kInsertRight,
         {"A   Dn", "L-Button   Dn", "L-Button   Up", "50 ms", "M-Button   Dn", "M-Button   Up", "A   Up",
          "R-Button   Dn", "R-Button   Up"}, 8},
        {0, CMacroProgramDialog::kDeleteLine,
         {"L-Button   Dn", "L-Button   Up", "50 ms", "M-Button   Dn", "M-Button   Up", "A   Up", "R-Button   Dn",
          "R-Button   Up"}, -1},
    };
    for (const Case& c : cases) {
        keys->setCurrentRow(c.selected);
        dialog->OnMenuCommand(c.command);
        EXPECT_EQ(ListLines(keys), c.lines) << c.command;
        EXPECT_EQ(keys->currentRow(), c.selectedAfter) << c.command;
        EXPECT_EQ(StoredItems("Macro_1"), c.lines) << c.command;
    }
    keys->setCurrentRow(-1);
    dialog->OnMenuCommand(CMacroProgramDialog::kInsertLeft);  // no line selected: nothing
    EXPECT_EQ(keys->count(), 8);
    const auto items = dialog->ContextMenuItems();
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0], std::make_pair(32771, QStringLiteral("Delete")));
    EXPECT_EQ(items[4], std::make_pair(32786, QStringLiteral("Insert Delay")));
}

TEST_F(MacroManager, InPlaceEditsOfNamesAndDelays) {
    Open("[MacroName]\nMacroCount=2\n0=Macro_1\n1=Macro_2\n"
         "[Macro_1]\nDelayTimeSelStatus=1\nMacroLoopTimes=4\nItemCount=3\nItem0=A   Dn\nItem1=50 ms\nItem2=A   Up\n");
    QListWidget* names = dialog->NameList();
    // Rename: a double click opens the editor; Enter commits; the section moves.
    const auto doubleClick = [&](QListWidget* list, int row) {
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);  // the press a double click follows
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    };
    doubleClick(names, 0);
    auto* editor = Editor(names);
    ASSERT_NE(editor, nullptr);
    // The macro keeps its section while the edit runs: a crash now loses nothing.
    EXPECT_TRUE(IniDocument::Load(path).HasSection("Macro_1"));
    EXPECT_EQ(MacroStore(path).ReadMacro("Macro_1").items.size(), 3u);
    editor->setText("  Jump  ");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(dialog->State().names, (std::vector<std::string>{"Jump", "Macro_2"}));
    EXPECT_EQ(MacroStore(path).ReadNames(), (std::vector<std::string>{"Jump", "Macro_2"}));
    EXPECT_EQ(StoredItems("Jump"), (std::vector<std::string>{"A   Dn", "50 ms", "A   Up"}));
    EXPECT_EQ(ProfileIni::GetString(path, "Jump", "MacroLoopTimes"), "4");
    EXPECT_EQ(ProfileIni::GetString(path, "Jump", "DelayTimeSelStatus"), "1");
    EXPECT_FALSE(IniDocument::Load(path).HasSection("Macro_1"));
    EXPECT_TRUE(debug.Contains("finish listbox editing,WM_LEBEDIT_END:pMsg->wParam=1,pMsg->lParam=0\n"));

    // A name that cannot be a section of its own is refused: one already in the list (the
    // store compares names without case), the list's own section, or one with characters
    // that break a line. Escape keeps the name too; the edit still ends.
    const std::pair<const char*, Qt::Key> refused[] = {
        {"Macro_2", Qt::Key_Return},   {"MACRO_2", Qt::Key_Return}, {"MacroName", Qt::Key_Return},
        {"macroname", Qt::Key_Return}, {"a]b", Qt::Key_Return},     {"a=b", Qt::Key_Return},
        {"Other", Qt::Key_Escape}};
    for (const auto& [text, end] : refused) {
        debug.Clear();
        doubleClick(names, 0);
        editor = Editor(names);
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
        QTest::keyClick(editor, end);
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(dialog->State().names[0], "Jump") << text;
        EXPECT_TRUE(debug.Contains("finish listbox editing,WM_LEBEDIT_END:pMsg->wParam=1,pMsg->lParam=0\n"));
        EXPECT_EQ(StoredItems("Jump").size(), 3u) << text;
        EXPECT_EQ(MacroStore(path).ReadNames(), (std::vector<std::string>{"Jump", "Macro_2"})) << text;
    }

    // A delay opens on its second click, as a number.
    QListWidget* keys = dialog->KeystrokeList();
    const QPoint delay = keys->visualItemRect(keys->item(1)).center();
    QTest::mouseClick(keys->viewport(), Qt::LeftButton, {}, delay);
    EXPECT_EQ(Editor(keys), nullptr);
    QTest::mouseClick(keys->viewport(), Qt::LeftButton, {}, delay);
    editor = Editor(keys);
    ASSERT_NE(editor, nullptr);
    editor->setText("70000");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(StoredItems("Jump"), (std::vector<std::string>{"A   Dn", "65535 ms", "A   Up"}));
    // The write after an edit stores the macro as shown: its delay option stays.
    EXPECT_EQ(ProfileIni::GetString(path, "Jump", "DelayTimeSelStatus"), "1");
    EXPECT_EQ(ProfileIni::GetString(path, "Jump", "MacroLoopTimes"), "4");
    // A click elsewhere commits: the erased delay becomes 0 ms.
    QTest::mouseClick(keys->viewport(), Qt::LeftButton, {}, delay);
    editor = Editor(keys);
    ASSERT_NE(editor, nullptr);
    editor->setText("");
    QTest::mouseClick(dialog.get(), Qt::LeftButton, {}, QPoint(200, 370));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(StoredItems("Jump")[1], "0 ms");
}

TEST_F(MacroManager, ARenameLandsWholeWhateverIsClickedNext) {
    Open("[MacroName]\nMacroCount=2\n0=Macro_1\n1=Macro_2\n"
         "[Macro_1]\nDelayTimeSelStatus=1\nMacroLoopTimes=1\nItemCount=2\nItem0=A   Dn\nItem1=A   Up\n"
         "[Macro_2]\nDelayTimeSelStatus=1\nMacroLoopTimes=3\nItemCount=1\nItem0=B   Dn\n");
    QListWidget* names = dialog->NameList();
    // The loop count typed before the rename is the one stored after it.
    dialog->LoopBox()->setText(QStringLiteral("20"));
    const QPoint first = names->visualItemRect(names->item(0)).center();
    QTest::mouseClick(names->viewport(), Qt::LeftButton, {}, first);
    QTest::mouseDClick(names->viewport(), Qt::LeftButton, {}, first);
    CLBEditorWnd* editor = Editor(names);
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("Run"));
    // The next click is on the other macro.
    QTest::mouseClick(names->viewport(), Qt::LeftButton, {}, names->visualItemRect(names->item(1)).center());
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(MacroStore(path).ReadNames(), (std::vector<std::string>{"Run", "Macro_2"}));
    EXPECT_FALSE(IniDocument::Load(path).HasSection("Macro_1"));
    const MacroSection run = MacroStore(path).ReadMacro("Run");
    EXPECT_EQ(run.items, (std::vector<std::string>{"A   Dn", "A   Up"}));
    EXPECT_EQ(run.loopTimes, "20");
    EXPECT_EQ(run.delayTimeSelStatus, "1");
    const MacroSection other = MacroStore(path).ReadMacro("Macro_2");
    EXPECT_EQ(other.items, std::vector<std::string>{"B   Dn"});
    EXPECT_EQ(other.loopTimes, "3");
    EXPECT_EQ(other.delayTimeSelStatus, "1");
    EXPECT_EQ(names->currentRow(), 0);  // the click only ended the edit

    // On a real display the click first takes the focus from the editor, then arrives.
    const QPoint second = names->visualItemRect(names->item(1)).center();
    QTest::mouseClick(names->viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(names->viewport(), Qt::LeftButton, {}, second);
    editor = Editor(names);
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("Jump"));
    QFocusEvent focusTaken(QEvent::FocusOut, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(editor, &focusTaken);
    QTest::mouseClick(names->viewport(), Qt::LeftButton, {}, first);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(MacroStore(path).ReadNames(), (std::vector<std::string>{"Run", "Jump"}));
    EXPECT_EQ(MacroStore(path).ReadMacro("Jump").items, std::vector<std::string>{"B   Dn"});
    EXPECT_EQ(names->currentRow(), 1);
}

TEST_F(MacroManager, TheLoopCount) {
    Open(kTwoMacros);
    struct Case {
        const char* typed;
        const char* shown;
    };
    for (const Case& c : {Case{"0", "1"}, Case{"65536", "1"}, Case{"", "1"}, Case{"25", "25"}}) {
        dialog->LoopBox()->setText(c.typed);
        EXPECT_EQ(dialog->LoopBox()->text(), QString::fromLatin1(c.shown)) << c.typed;
        EXPECT_EQ(ProfileIni::GetString(path, "Macro_1", "MacroLoopTimes"), c.shown) << c.typed;
    }
    // Unticking the loop keeps the number in the disabled box.
    EXPECT_FALSE(dialog->LoopBox()->isEnabled());
    Click(CMacroProgramDialog::kLoopTick);
    EXPECT_TRUE(dialog->LoopBox()->isEnabled());
    Click(CMacroProgramDialog::kLoopTick);
    EXPECT_FALSE(dialog->LoopBox()->isEnabled());
    EXPECT_EQ(dialog->LoopBox()->text(), QStringLiteral("25"));
    // A macro loaded with a loop count above 1 shows the tick.
    dialog->NameList()->setCurrentRow(1);
    EXPECT_TRUE(dialog->State().loopEnabled);
    EXPECT_TRUE(dialog->LoopBox()->isEnabled());
}

TEST_F(MacroManager, OkCompilesTheStoreAndCancelCompilesNothing) {
    Open(kTwoMacros);
    Click(CMacroProgramDialog::kCancel);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(dialog->Slots(), CompileSlots{});
    Open();
    Click(CMacroProgramDialog::kOk);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    CapturedDebugOutput other;
    const auto expected = OnBnMacroSave(MacroStore(path), 2, 0, other);
    ASSERT_TRUE(expected.has_value());
    EXPECT_EQ(dialog->Slots(), *expected);
    EXPECT_EQ(test::ToHex(dialog->Slots()[0].data(), 8), "00 01 32 04 FF 04 00 32");
    EXPECT_TRUE(debug.Contains("OnBnMacroSave m_lbSelMacro.GetCount()=2,m_lbSelMacro.GetCurSel()=0\n"));
}

TEST(KeyRecords, X11KeycodesAndKeysymsBecomeWindowsCodes) {
    struct Case {
        quint32 keycode;
        quint32 keysym;
        int qtKey;
        Qt::KeyboardModifiers modifiers;
        uint32_t vk;
        uint32_t flags;
        const char* name;
    };
    const Case cases[] = {
        {38, 'a', Qt::Key_A, {}, 0x41, 0x00, "A"},
        {38, 'A', Qt::Key_A, Qt::ShiftModifier, 0x41, 0x00, "A"},
        {10, '!', Qt::Key_Exclam, Qt::ShiftModifier, 0x31, 0x00, "1"},
        {50, 0xFFE1, Qt::Key_Shift, {}, 0xA0, 0x00, "Shift"},
        {62, 0xFFE2, Qt::Key_Shift, {}, 0xA1, 0x00, "Right Shift"},
        {37, 0xFFE3, Qt::Key_Control, {}, 0xA2, 0x00, "Ctrl"},
        {105, 0xFFE4, Qt::Key_Control, {}, 0xA3, 0x01, "Right Ctrl"},
        {64, 0xFFE9, Qt::Key_Alt, {}, 0xA4, 0x00, "Alt"},
        {108, 0xFE03, Qt::Key_AltGr, {}, 0xA5, 0x01, "Right Alt"},
        {133, 0xFFEB, Qt::Key_Meta, {}, 0x5B, 0x01, "Left Windows"},
        {135, 0xFF67, Qt::Key_Menu, {}, 0x5D, 0x01, "App"},
        {36, 0xFF0D, Qt::Key_Return, {}, 0x0D, 0x00, "Enter"},
        {104, 0xFF8D, Qt::Key_Enter, {}, 0x0D, 0x01, "Num Enter"},
        {87, 0xFFB1, Qt::Key_1, Qt::KeypadModifier, 0x61, 0x00, "Num 1"},
        {87, 0xFF9C, Qt::Key_End, Qt::KeypadModifier, 0x23, 0x00, "End"},
        {115, 0xFF57, Qt::Key_End, {}, 0x23, 0x01, "End"},
        {127, 0xFF6B, 0, Qt::ControlModifier, 0x03, 0x01, ""},
        {96, 0xFFC9, Qt::Key_F12, {}, 0x7B, 0x00, "F12"},
        // Without native fields (Wayland, offscreen) the Qt key stands in.
        {0, 0, Qt::Key_Enter, Qt::KeypadModifier, 0x0D, 0x01, "Num Enter"},
        {0, 0, Qt::Key_5, Qt::KeypadModifier, 0x65, 0x00, "Num 5"},
        {0, 0, Qt::Key_B, {}, 0x42, 0x00, "B"},
    };
    for (const Case& c : cases) {
        for (bool press : {true, false}) {
            const QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, c.qtKey, c.modifiers, c.keycode,
                                  c.keysym, 0);
            const KeyRecord record = ToKeyRecord(event);
            EXPECT_EQ(record.vkCode, c.vk) << c.keycode << "/" << c.qtKey;
            EXPECT_EQ(record.flags, c.flags | (press ? 0u : 0x80u)) << c.keycode;
            EXPECT_EQ(KeyEventName(record.vkCode, record.flags), c.name) << c.keycode;
        }
    }
}

// Record a macro in the window's macro manager, give it to button 3, Apply: the mouse
// gets the compiled macro in its first transfer.
using MacroManagerInTheWindow = test::MainWindow;

TEST_F(MacroManagerInTheWindow, ARecordedMacroReachesTheMouse) {
    Start({test::kA});
    bool ran = false;
    QTimer::singleShot(0, [&] {
        CMacroProgramDialog* manager = window->MacroManagerDialog();
        manager->Capture().SetGrab([](QWidget*, bool) { return true; });
        QTest::mouseClick(manager, Qt::LeftButton, {}, CMacroProgramDialog::kNew.center());
        QTest::mouseClick(manager->RecordButton(), Qt::LeftButton, {}, QPoint(40, 12));
        for (const Key& key : {kKeyA, kKeyB}) {
            for (bool press : {true, false}) {
                QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, key.qtKey, {}, key.keycode, key.keysym, 0);
                QCoreApplication::sendEvent(manager, &event);
                QCoreApplication::sendPostedEvents(manager);
            }
        }
        QTest::mouseClick(manager, Qt::LeftButton, {}, CMacroProgramDialog::kOk.center());
        ran = true;
    });
    window->OnMacroManager();
    ASSERT_TRUE(ran);
    // OK put the manager's compile (first byte 0x32) into the record.
    EXPECT_EQ(test::ToHex(Record().MacroSlot(0), 16), "00 01 32 04 FF 04 00 32 7F 05 00 32 FF 05 00 32");
    Record()[rec::kButtonKind + 2] = kKindMacro;
    Record()[rec::kMacroNumber + 2] = 0;
    ApplyAndWait();
    // Apply compiles the store again (first byte 0x05) and sends all twelve macros.
    const VirtualMouseState mouse = Devices().MouseState(test::kA);
    EXPECT_EQ(test::ToHex(mouse.macros[0].data(), 18), "00 01 05 04 FF 04 00 32 7F 05 00 32 FF 05 00 32 00 00");
    std::string table = test::kFactoryButtonTable;
    table.replace(24, 11, "00 01 00 0A");  // entry 2: macro 0, run once
    EXPECT_EQ(test::ToHex(mouse.buttonTable), table);
}

// Every caption of the dialogs' buttons, in every language, inside the button the user
// sees (not merely inside its clickable rectangle), and none of them cut.
struct DialogCaptions : ::testing::TestWithParam<const char*> {
    static void ExpectPaintedCaptionsFit(const SkinnedWindow& dialog, const QFont& font, const char* which) {
        const PaintedButtons& buttons = dialog.Buttons();
        for (int i = 0; i < buttons.Count(); ++i) {
            const FittedText fitted = buttons.Fitted(i, font);
            EXPECT_FALSE(fitted.elided) << which << " " << i << ": " << fitted.text.toStdString();
            EXPECT_LE(fitted.width, buttons.TextArea(i).width()) << which << " " << i << ": " << fitted.text.toStdString();
            EXPECT_TRUE(buttons.Rect(i).contains(buttons.TextArea(i))) << which << " " << i;
        }
    }
    static void ExpectCaptionFits(const CBitmapBtn& button) {
        const FittedText fitted = button.FittedCaption();
        EXPECT_FALSE(fitted.elided) << button.caption.toStdString();
        EXPECT_LE(fitted.width, button.CaptionRect().width()) << button.caption.toStdString();
        EXPECT_LE(QFontMetrics(fitted.font).height() * (fitted.text.contains(QLatin1Char('\n')) ? 2 : 1),
                  button.CaptionRect().height())
            << button.caption.toStdString();
    }
};

TEST_P(DialogCaptions, FitTheButtonsAsDrawn) {
    const QString code = QString::fromLatin1(GetParam());
    test::TempDir dir;
    test::WriteFile(dir / "record.ini", kTwoMacros);
    CapturedDebugOutput debug;
    const auto ignore = [](const QString&, const QString&) {};

    CSingleDialog single(code, debug, ignore);
    single.Open();
    ExpectPaintedCaptionsFit(single, single.TextFont(), "single key dialog");

    CMacroDialog macro(dir / "record.ini", code);
    macro.Open();
    ExpectPaintedCaptionsFit(macro, macro.TextFont(), "macro dialog");

    CMacroProgramDialog manager(dir / "record.ini", code, debug, ignore);
    manager.Capture().SetGrab([](QWidget*, bool) { return true; });
    manager.Open({"Click", "Menu", "Scroll", "Fn", "Snipe", "DPI +", "DPI -"});
    manager.show();
    ExpectPaintedCaptionsFit(manager, manager.TextFont(), "macro manager");
    // The Record button, idle and while it records, right of its red mark.
    EXPECT_GE(manager.RecordButton()->CaptionRect().left(), 5);
    ExpectCaptionFits(*manager.RecordButton());
    const QString idle = manager.RecordButton()->caption;
    QTest::mouseClick(manager.RecordButton(), Qt::LeftButton, {}, QPoint(40, 12));
    ASSERT_NE(manager.RecordButton()->caption, idle);
    ExpectCaptionFits(*manager.RecordButton());
    QTest::mouseClick(manager.RecordButton(), Qt::LeftButton, {}, QPoint(40, 12));
}

INSTANTIATE_TEST_SUITE_P(Languages, DialogCaptions, ::testing::Values("EN", "DE", "CHS", "CHT"));

}  // namespace
}  // namespace qm
