// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QFont>
#include <QLineEdit>
#include <QListWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "controls/SkinnedWindow.h"
#include "macros/MacroCompiler.h"
#include "macros/MacroRecorder.h"
#include "macros/MacroStore.h"
#include "platform/DebugOutput.h"
#include "platform/KeyboardCapture.h"

namespace qm {

class CBitmapBtn;

// The Macro Manager: the list of macro names, the keystroke list of the selected macro,
// the Record button, the delay and loop options and the loop count. Every change goes to
// the macro store at once; OK compiles the store into twelve slots for the record.
class CMacroProgramDialog : public SkinnedWindow, private MacroRecorder::Port {
    Q_OBJECT

public:
    // The font of its texts and painted captions.
    const QFont& TextFont() const { return m_font; }
    using Message = std::function<void(const QString& caption, const QString& text)>;

    // Context menu commands.
    enum Command : int {
        kDeleteLine = 32771,
        kInsertLeft = 32772,
        kInsertMiddle = 32773,
        kInsertRight = 32774,
        kInsertDelay = 32786,
    };

    // `message` shows the limit message and the recorder's errors.
    CMacroProgramDialog(std::string recordIniPath, const QString& languageCode, DebugOutput& debug, Message message,
                        QWidget* parent = nullptr);
    ~CMacroProgramDialog() override;

    // Opens the dialog (its initialisation) with the captions of buttons 1..7; Run then
    // shows it modally and returns QDialog::Accepted for OK.
    void Open(const std::array<std::string, 7>& captions);
    int Run(const std::array<std::string, 7>& captions);
    // What OK compiled (twelve 508-byte slots; bytes 0..129 of each go to the record).
    const CompileSlots& Slots() const { return m_slots; }

    // The controls and the state, for the main window and the tests.
    QListWidget* NameList() const { return m_names; }
    QListWidget* KeystrokeList() const { return m_keys; }
    QLineEdit* LoopBox() const { return m_loop; }
    CBitmapBtn* RecordButton() const { return m_record; }
    const MacroEditorState& State() const { return m_state; }
    MacroRecorder& Recorder() { return *m_recorder; }
    // Whether a recording waits for this window to have the focus again.
    bool RecordingPaused() const;
    KeyboardCapture& Capture() { return m_capture; }
    int LastDelayClicked() const { return m_cursel; }
    // The milliseconds the recorder measures pauses with (tests replace it).
    std::function<uint32_t()> tickCount;

    // The menu commands on the selected line of the keystroke list.
    void OnMenuCommand(int id);
    // The items of the context menu, as it is shown.
    std::vector<std::pair<int, QString>> ContextMenuItems() const;

    // Layout (client pixels).
    static constexpr QRect kClose{QPoint(427, 17), QPoint(477, 40)};
    static constexpr QRect kOk{QPoint(298, 394), QPoint(351, 421)};
    static constexpr QRect kCancel{QPoint(354, 394), QPoint(407, 421)};
    static constexpr QRect kNew{QPoint(17, 367), QPoint(74, 391)};
    static constexpr QRect kDelete{QPoint(77, 367), QPoint(134, 391)};
    static constexpr QRect kDelayTick{QPoint(370, 144), QPoint(383, 157)};
    static constexpr QRect kLoopTick{QPoint(296, 314), QPoint(309, 327)};

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void done(int result) override;
    bool IsDragSpot(const QPoint& pos) const override;

private:
    // MacroRecorder::Port
    bool InstallHook(std::string& error) override;
    void RemoveHook() override;
    void PostRecordKey(int wParam) override;
    void ShowError(const std::string& text) override;
    void Changed() override;

    void ShowState();  // lists, loop box and Record button from the state
    void OnMacroNameListSelchange(int index);
    void OnNameDoubleClicked();
    void OnKeystrokeClicked(int index);
    void OnLoopTextChanged(const QString& text);
    void OnWriteMacroToIni();
    void OnEditEnded(QListWidget* list, qintptr wParam, qintptr lParam);
    void NewMacro();
    void DeleteMacro();
    void ShowContextMenu(const QPoint& globalPos);
    QString Text(int entry) const;

    MacroStore m_store;
    QElapsedTimer m_since;
    QString m_languageCode;
    DebugOutput& m_debug;
    Message m_message;
    MacroEditorState m_state;
    std::unique_ptr<MacroRecorder> m_recorder;
    KeyboardCapture m_capture;
    CompileSlots m_slots{};
    std::array<std::string, 7> m_captions;
    int m_cursel = 0;  // the delay line clicked last; kept between openings
    bool m_opened = false;
    bool m_showing = false;  // the controls are being filled from the state
    // The row whose name the in-place editor edits, and the name it had (-1: none).
    std::pair<int, std::string> m_renaming{-1, {}};

    QFont m_font;
    QFont m_loopFont;
    QListWidget* m_names = nullptr;
    QListWidget* m_keys = nullptr;
    QLineEdit* m_loop = nullptr;
    CBitmapBtn* m_record = nullptr;
};

}  // namespace qm
