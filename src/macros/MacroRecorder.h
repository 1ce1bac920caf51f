// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "macros/MacroStore.h"
#include "platform/DebugOutput.h"

namespace qm {

// A keyboard event as the low-level hook sees it: virtual-key code, scan code, flags
// (0x01 extended key, 0x80 released) and the message (WM_KEYDOWN and its kin).
struct HookEvent {
    uint32_t vkCode = 0;
    uint32_t scanCode = 0;
    uint32_t flags = 0;
    uint32_t message = 0x100;
};

// The macro recorder: while it records, the keyboard is captured and every key event is
// swallowed; each press and release becomes an item of the selected macro's keystroke
// list ("A   Dn", "A   Up"), with the measured pause before it ("%d ms") when the delay
// option is on. The list is written to the macro store when the recording stops.
class MacroRecorder {
public:
    // What the recorder needs from its window.
    class Port {
    public:
        virtual ~Port() = default;
        // Installs the hook (captures the keyboard); false with the system's reason.
        virtual bool InstallHook(std::string& error) = 0;
        virtual void RemoveHook() = 0;
        // UM_RECORD_KEY (wParam 0 press, 1 release), handled later by OnRecordKey.
        virtual void PostRecordKey(int wParam) = 0;
        virtual void ShowError(const std::string& text) = 0;
        // The controls show the state again: the lists, the loop box, the Record button.
        virtual void Changed() = 0;
    };

    static constexpr uint32_t kMaxEvents = 62;

    MacroRecorder(MacroStore& store, MacroEditorState& state, Port& port, DebugOutput& debug,
                  std::function<uint32_t()> tickCount);

    bool Recording() const { return m_recording; }
    // Start: needs a selected macro; the keystroke list is emptied.
    void StartRecording();
    // Stop: the recorded list is written to the selected macro (OnWriteMacroToIni).
    // Stopping when nothing records only resets the event count.
    void StopRecording();
    // The selection changed while recording: the recording goes to the macro that was
    // selected when it started.
    void EndForSelectionChange(const std::vector<std::string>& names);

    // Where the keyboard is captured only while the window has the focus: the recording
    // pauses while it has not, and the time away is no pause in the macro.
    void Pause();
    void Resume();
    bool Paused() const { return m_paused; }

    // JournalRecordHook: returns 1 when the event is swallowed, 0 when it passes on.
    int JournalRecordHook(int code, const HookEvent& event);
    // UM_RECORD_KEY.
    void OnRecordKey(int wParam);

    const std::vector<std::string>& RecordSnapshot() const { return m_snapshot; }
    uint32_t EventCount() const { return m_eventCount; }

private:
    // Each accepted event keeps its own name and count, in typing order, until its
    // message is handled: two events hooked before the first message is handled must not
    // share one name.
    struct Pending {
        std::string name;
        uint32_t count;
        uint32_t tick;
    };

    void RemoveHook();

    MacroStore& m_store;
    MacroEditorState& m_state;
    Port& m_port;
    DebugOutput& m_debug;
    std::function<uint32_t()> m_tickCount;

    bool m_hookInstalled = false;
    bool m_recording = false;
    uint32_t m_lastCode = 0;
    uint32_t m_lastFlags = 0;
    uint32_t m_eventCount = 0;
    int m_firstEventState = 0;
    uint32_t m_timeBase = 0;
    bool m_paused = false;
    uint32_t m_pausedAt = 0;
    std::vector<std::string> m_snapshot;  // RecordSnapshot
    std::deque<Pending> m_pending;
};

}  // namespace qm
