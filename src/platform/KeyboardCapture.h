// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>

class QKeyEvent;

namespace qm {

// A keyboard event as the Windows low-level keyboard hook reports it: the virtual-key
// code (left/right-specific for Shift, Ctrl and Alt), the scan code, the flags (0x01
// extended key, 0x80 released) and the message (WM_KEYDOWN 0x100, WM_KEYUP 0x101,
// WM_SYSKEYDOWN 0x104, WM_SYSKEYUP 0x105). Auto-repeated presses are marked.
struct KeyRecord {
    uint32_t vkCode = 0;
    uint32_t scanCode = 0;
    uint32_t flags = 0;
    uint32_t message = 0x100;
    bool autoRepeat = false;
    bool Released() const { return (flags & 0x80) != 0; }
};

// The record of a Qt key event. On X11 the key is found by its keycode (evdev + 8; the
// position on the keyboard, as Windows scan codes are) and, for letters and the keypad,
// its keysym; where the native fields are 0 (Wayland, offscreen) the Qt key stands in.
// A key the tables do not know gets code 0.
KeyRecord ToKeyRecord(const QKeyEvent& event);

// Captures the keyboard for a window: it grabs the keyboard from the desktop (so typing
// acts on no other program) and hands every key event to the hook, which returns whether
// the event is swallowed. On Wayland no program may grab the keyboard: there the keys are
// captured while the window has the focus. A held key reaches the hook as repeated presses
// (marked) and one release, as Windows reports it: the capture keeps which keys are down,
// and on X11 asks the server for presses alone while a key is held.
class KeyboardCapture : public QObject {
    Q_OBJECT

public:
    using Hook = std::function<bool(const KeyRecord&)>;
    // How the keyboard is grabbed: true when the desktop granted it. Replaceable in tests
    // (the offscreen platform grants nothing).
    using Grab = std::function<bool(QWidget* window, bool grab)>;

    explicit KeyboardCapture(QObject* parent = nullptr);
    ~KeyboardCapture() override;

    // Starts capturing for `window`. False, with the reason in `error`, when the desktop
    // refuses the grab (another client holds it, a Wayland session without grabs).
    bool Start(QWidget* window, Hook hook, QString* error);
    // The two halves of Start: the keys of `window` go to the hook from now on (while it
    // has the focus), and the grab, which the desktop may grant only once the window is
    // mapped, is tried on its own and again.
    void Listen(QWidget* window, Hook hook);
    bool GrabNow(QString* error);
    void Stop();
    bool Active() const { return m_active; }
    bool Grabbed() const { return m_grabbed; }

    void SetGrab(Grab grab) { m_grab = std::move(grab); }
    static Grab DesktopGrab();
    // Whether keys reach the capture only while its window has the focus: so on Wayland,
    // which lets no program grab the keyboard from the others. Settable for tests.
    bool FocusOnly() const { return m_focusOnly; }
    void SetFocusOnly(bool focusOnly) { m_focusOnly = focusOnly; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_active = false;
    bool m_grabbed = false;
    // The keys held down: a press of one of them is a repeat.
    std::set<uint32_t> m_down;
    // Whether the X server's detectable auto-repeat was on before the capture turned it on.
    std::optional<bool> m_repeatWasDetectable;
    QPointer<QWidget> m_window;
    Hook m_hook;
    Grab m_grab;
    bool m_focusOnly = false;
};

}  // namespace qm
