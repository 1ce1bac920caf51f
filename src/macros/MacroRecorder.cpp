// SPDX-License-Identifier: GPL-3.0-or-later
#include "macros/MacroRecorder.h"

#include "macros/KeyNames.h"
#include "platform/Format.h"

namespace qm {

MacroRecorder::MacroRecorder(MacroStore& store, MacroEditorState& state, Port& port, DebugOutput& debug,
                             std::function<uint32_t()> tickCount)
    : m_store(store), m_state(state), m_port(port), m_debug(debug), m_tickCount(std::move(tickCount)) {}

void MacroRecorder::RemoveHook() {
    if (m_hookInstalled) {
        m_port.RemoveHook();
        m_hookInstalled = false;
    }
}

void MacroRecorder::StartRecording() {
    const std::string* name = m_state.SelectedName();
    if (name == nullptr) {
        return;
    }
    m_snapshot = {*name, Format("%d", m_state.recordDelays ? 1 : 0), m_state.loopText};
    m_eventCount = 0;
    RemoveHook();
    m_state.keystrokes.clear();
    m_pending.clear();
    m_port.Changed();
    std::string error;
    if (!m_port.InstallHook(error)) {
        m_port.ShowError(Format("JournalRecordHook Install error code :%d\n", 1) +
                         (error.empty() ? std::string() : error + "\n"));
        m_port.Changed();
        return;
    }
    m_hookInstalled = true;
    m_recording = true;
    m_paused = false;
    m_firstEventState = 0;
    m_lastCode = 0;
    m_lastFlags = 0;
    m_port.Changed();
}

void MacroRecorder::StopRecording() {
    m_eventCount = 0;
    if (!m_recording || !m_hookInstalled) {
        return;
    }
    RemoveHook();
    m_firstEventState = 2;
    m_recording = false;
    m_paused = false;
    m_pending.clear();
    m_store.WriteMacroToIni(m_state);
    m_port.Changed();
}

void MacroRecorder::Pause() {
    if (m_recording && !m_paused) {
        m_paused = true;
        m_pausedAt = m_tickCount ? m_tickCount() : 0;
    }
}

void MacroRecorder::Resume() {
    if (m_paused) {
        m_paused = false;
        // The next delay counts from the last key as if the time away had not passed.
        m_timeBase += (m_tickCount ? m_tickCount() : 0) - m_pausedAt;
    }
}

void MacroRecorder::EndForSelectionChange(const std::vector<std::string>& names) {
    if (!m_recording) {
        return;
    }
    RemoveHook();
    m_recording = false;
    m_firstEventState = 2;
    m_pending.clear();
    m_store.WriteRecording(names, m_snapshot);
    m_port.Changed();
}

int MacroRecorder::JournalRecordHook(int code, const HookEvent& event) {
    if (code > 0) {
        return 0;
    }
    const uint32_t v = event.vkCode;
    const uint32_t f = event.flags & 0x81;
    // A held key repeats its press: the repeats pass unrecorded.
    if (v == m_lastCode && f == m_lastFlags) {
        return 0;
    }
    m_lastCode = v;
    m_lastFlags = f;
    m_debug.Write(Format("vk code=%x,scan code=%x,key flag=%x\n", v, event.scanCode, f));
    const uint32_t named = (v == 0x0D && (f == 0x01 || f == 0x81)) ? 0x6C : v;
    const std::string name = GetKeyStr(named);
    m_debug.Write(Format("virtual-key code :%xl;GetKeyStr(%x)=%s\n", event.message, named, name.c_str()));
    ++m_eventCount;
    m_pending.push_back({name, m_eventCount, m_tickCount ? m_tickCount() : 0});
    m_port.PostRecordKey((f & 0x80) != 0 ? 1 : 0);
    return 1;
}

void MacroRecorder::OnRecordKey(int wParam) {
    if (m_pending.empty()) {
        return;  // the recording ended before this message was handled
    }
    const Pending event = m_pending.front();
    m_pending.pop_front();
    if (!m_recording) {
        return;
    }
    if (event.count > kMaxEvents) {
        StopRecording();  // the 63rd event ends the recording and is not recorded
        return;
    }
    if (event.name.empty()) {
        return;  // a key without a name: swallowed, not listed
    }
    const std::string item = event.name + (wParam == 0 ? kPressMarker : kReleaseMarker);
    if (m_state.recordDelays && m_firstEventState == 1) {
        const std::string delay = Format("%d ms", static_cast<int>(event.tick - m_timeBase));
        m_state.keystrokes.push_back(delay);
        m_snapshot.push_back(delay);
    }
    m_state.keystrokes.push_back(item);
    m_snapshot.push_back(item);
    m_timeBase = event.tick;
    m_firstEventState = 1;
    m_port.Changed();
}

}  // namespace qm
