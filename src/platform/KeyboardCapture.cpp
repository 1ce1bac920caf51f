// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/KeyboardCapture.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>
#include <cstdlib>
// The XKB header names a field "explicit", a C++ keyword.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit
#include <map>

namespace qm {

namespace {

constexpr uint32_t kExtended = 0x01;
constexpr uint32_t kReleased = 0x80;

struct Vk {
    uint32_t code;
    bool extended;
};

// X keycodes (evdev + 8) of the keys whose code does not depend on the layout or on
// Num Lock. Letters and the keypad's digit block are looked up by keysym.
const std::map<quint32, Vk>& KeycodeTable() {
    static const std::map<quint32, Vk> table = {
        {9, {0x1B, false}},   {10, {0x31, false}},  {11, {0x32, false}},  {12, {0x33, false}},
        {13, {0x34, false}},  {14, {0x35, false}},  {15, {0x36, false}},  {16, {0x37, false}},
        {17, {0x38, false}},  {18, {0x39, false}},  {19, {0x30, false}},  {20, {0xBD, false}},
        {21, {0xBB, false}},  {22, {0x08, false}},  {23, {0x09, false}},  {34, {0xDB, false}},
        {35, {0xDD, false}},  {36, {0x0D, false}},  {37, {0xA2, false}},  {47, {0xBA, false}},
        {48, {0xDE, false}},  {49, {0xC0, false}},  {50, {0xA0, false}},  {51, {0xDC, false}},
        {59, {0xBC, false}},  {60, {0xBE, false}},  {61, {0xBF, false}},  {62, {0xA1, false}},
        {63, {0x6A, false}},  {64, {0xA4, false}},  {65, {0x20, false}},  {66, {0x14, false}},
        {67, {0x70, false}},  {68, {0x71, false}},  {69, {0x72, false}},  {70, {0x73, false}},
        {71, {0x74, false}},  {72, {0x75, false}},  {73, {0x76, false}},  {74, {0x77, false}},
        {75, {0x78, false}},  {76, {0x79, false}},  {77, {0x90, true}},   {78, {0x91, false}},
        {82, {0x6D, false}},  {86, {0x6B, false}},  {94, {0xE2, false}},  {95, {0x7A, false}},
        {96, {0x7B, false}},  {104, {0x0D, true}},  {105, {0xA3, true}},  {106, {0x6F, true}},
        {107, {0x2C, true}},  {108, {0xA5, true}},  {110, {0x24, true}},  {111, {0x26, true}},
        {112, {0x21, true}},  {113, {0x25, true}},  {114, {0x27, true}},  {115, {0x23, true}},
        {116, {0x28, true}},  {117, {0x22, true}},  {118, {0x2D, true}},  {119, {0x2E, true}},
        {127, {0x13, false}}, {133, {0x5B, true}},  {134, {0x5C, true}},  {135, {0x5D, true}},
    };
    return table;
}

// Keypad keys by keysym: with Num Lock the digits, without it the navigation keys (which
// are not extended, unlike the grey block's).
std::optional<Vk> KeypadKeysym(quint32 keysym) {
    if (keysym >= 0xFFB0 && keysym <= 0xFFB9) {
        return Vk{0x60 + (keysym - 0xFFB0), false};  // KP_0 .. KP_9
    }
    switch (keysym) {
        case 0xFFAE: return Vk{0x6E, false};  // KP_Decimal
        case 0xFF9F: return Vk{0x2E, false};  // KP_Delete
        case 0xFF95: return Vk{0x24, false};  // KP_Home
        case 0xFF96: return Vk{0x25, false};  // KP_Left
        case 0xFF97: return Vk{0x26, false};  // KP_Up
        case 0xFF98: return Vk{0x27, false};  // KP_Right
        case 0xFF99: return Vk{0x28, false};  // KP_Down
        case 0xFF9A: return Vk{0x21, false};  // KP_Prior
        case 0xFF9B: return Vk{0x22, false};  // KP_Next
        case 0xFF9C: return Vk{0x23, false};  // KP_End
        case 0xFF9D: return Vk{0x0C, false};  // KP_Begin (Clear)
        case 0xFF9E: return Vk{0x2D, false};  // KP_Insert
        default: return std::nullopt;
    }
}

// Without native fields: the Qt key, with the keypad modifier telling keypad keys apart.
std::optional<Vk> FromQtKey(int key, bool keypad) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        return Vk{static_cast<uint32_t>(0x41 + (key - Qt::Key_A)), false};
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        return Vk{static_cast<uint32_t>((keypad ? 0x60 : 0x30) + (key - Qt::Key_0)), false};
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12) {
        return Vk{static_cast<uint32_t>(0x70 + (key - Qt::Key_F1)), false};
    }
    switch (key) {
        case Qt::Key_Shift: return Vk{0xA0, false};
        case Qt::Key_Control: return Vk{0xA2, false};
        case Qt::Key_Alt: return Vk{0xA4, false};
        case Qt::Key_AltGr: return Vk{0xA5, true};
        case Qt::Key_Meta:
        case Qt::Key_Super_L: return Vk{0x5B, true};
        case Qt::Key_Super_R: return Vk{0x5C, true};
        case Qt::Key_Menu: return Vk{0x5D, true};
        case Qt::Key_Return: return Vk{0x0D, false};
        case Qt::Key_Enter: return Vk{0x0D, true};  // the keypad's
        case Qt::Key_Escape: return Vk{0x1B, false};
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return Vk{0x09, false};
        case Qt::Key_Backspace: return Vk{0x08, false};
        case Qt::Key_Space: return Vk{0x20, false};
        case Qt::Key_Insert: return Vk{0x2D, !keypad};
        case Qt::Key_Delete: return Vk{0x2E, !keypad};
        case Qt::Key_Home: return Vk{0x24, !keypad};
        case Qt::Key_End: return Vk{0x23, !keypad};
        case Qt::Key_PageUp: return Vk{0x21, !keypad};
        case Qt::Key_PageDown: return Vk{0x22, !keypad};
        case Qt::Key_Left: return Vk{0x25, !keypad};
        case Qt::Key_Up: return Vk{0x26, !keypad};
        case Qt::Key_Right: return Vk{0x27, !keypad};
        case Qt::Key_Down: return Vk{0x28, !keypad};
        case Qt::Key_CapsLock: return Vk{0x14, false};
        case Qt::Key_NumLock: return Vk{0x90, true};
        case Qt::Key_ScrollLock: return Vk{0x91, false};
        case Qt::Key_Pause: return Vk{0x13, false};
        case Qt::Key_Print: return Vk{0x2C, true};
        case Qt::Key_Semicolon: return Vk{0xBA, false};
        case Qt::Key_Equal: return Vk{0xBB, false};
        case Qt::Key_Comma: return Vk{0xBC, false};
        case Qt::Key_Minus: return Vk{keypad ? 0x6Du : 0xBDu, false};
        case Qt::Key_Period: return Vk{keypad ? 0x6Eu : 0xBEu, false};
        case Qt::Key_Slash: return Vk{keypad ? 0x6Fu : 0xBFu, keypad};
        case Qt::Key_Asterisk: return Vk{0x6A, false};
        case Qt::Key_Plus: return Vk{0x6B, false};
        case Qt::Key_QuoteLeft: return Vk{0xC0, false};
        case Qt::Key_BracketLeft: return Vk{0xDB, false};
        case Qt::Key_Backslash: return Vk{0xDC, false};
        case Qt::Key_BracketRight: return Vk{0xDD, false};
        case Qt::Key_Apostrophe: return Vk{0xDE, false};
        default: return std::nullopt;
    }
}

}  // namespace

KeyRecord ToKeyRecord(const QKeyEvent& event) {
    KeyRecord record;
    const quint32 keycode = event.nativeScanCode();
    const quint32 keysym = event.nativeVirtualKey();
    std::optional<Vk> vk;
    if (keycode != 0) {
        if (keysym == 0xFF6B || (keycode == 127 && (event.modifiers() & Qt::ControlModifier))) {
            vk = Vk{0x03, true};  // Ctrl+Pause is Break (VK_CANCEL), a key without a name
        } else if (keysym >= 'a' && keysym <= 'z') {
            vk = Vk{0x41 + (keysym - 'a'), false};
        } else if (keysym >= 'A' && keysym <= 'Z') {
            vk = Vk{0x41 + (keysym - 'A'), false};
        } else if (auto keypad = KeypadKeysym(keysym)) {
            vk = keypad;
        } else if (auto it = KeycodeTable().find(keycode); it != KeycodeTable().end()) {
            vk = it->second;
        }
        record.scanCode = keycode >= 8 ? keycode - 8 : 0;
    } else if (event.key() == 0 && (event.modifiers() & Qt::ControlModifier)) {
        vk = Vk{0x03, true};  // Ctrl+Pause arrives without a key
    } else {
        vk = FromQtKey(event.key(), (event.modifiers() & Qt::KeypadModifier) != 0);
    }
    const bool released = event.type() == QEvent::KeyRelease;
    if (vk) {
        record.vkCode = vk->code;
        record.flags = vk->extended ? kExtended : 0;
    }
    if (released) {
        record.flags |= kReleased;
    }
    // Keys typed with Alt held (and Alt itself) come as system keys.
    const bool alt = (event.modifiers() & Qt::AltModifier) != 0 || record.vkCode == 0xA4 || record.vkCode == 0xA5;
    record.message = (released ? 0x101 : 0x100) + (alt ? 4 : 0);
    record.autoRepeat = event.isAutoRepeat();
    return record;
}

KeyboardCapture::KeyboardCapture(QObject* parent)
    : QObject(parent), m_grab(DesktopGrab()),
      m_focusOnly(QGuiApplication::platformName() == QLatin1String("wayland")) {}

KeyboardCapture::~KeyboardCapture() {
    Stop();
}

KeyboardCapture::Grab KeyboardCapture::DesktopGrab() {
    return [](QWidget* window, bool grab) {
        if (!grab) {
            window->releaseKeyboard();
            if (QWindow* w = window->windowHandle()) {
                w->setKeyboardGrabEnabled(false);
            }
            return true;
        }
        if (QGuiApplication::platformName() == QLatin1String("wayland")) {
            return true;  // no grab there: the keys come while the window has the focus
        }
        QWindow* w = window->windowHandle();
        if (w == nullptr || !w->setKeyboardGrabEnabled(true)) {
            return false;
        }
        window->grabKeyboard();
        return true;
    };
}

namespace {

// The X server sends a held key as pairs of release and press, which Qt marks as
// repeats only now and then. With XKB's detectable auto-repeat it sends presses alone,
// as Windows reports a held key. Returns whether it was on before (to put it back), or
// nullopt where there is no X11 connection.
std::optional<bool> SetDetectableAutoRepeat(bool on) {
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 != nullptr ? x11->connection() : nullptr;
    // A request of an extension the server lacks would end the connection.
    const xcb_query_extension_reply_t* xkb = c != nullptr ? xcb_get_extension_data(c, &xcb_xkb_id) : nullptr;
    if (xkb == nullptr || !xkb->present) {
        return std::nullopt;
    }
    const uint32_t flag = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
    // Asking with no change tells the current value.
    xcb_xkb_per_client_flags_reply_t* before =
        xcb_xkb_per_client_flags_reply(c, xcb_xkb_per_client_flags(c, XCB_XKB_ID_USE_CORE_KBD, 0, 0, 0, 0, 0), nullptr);
    const bool wasOn = before != nullptr && (before->value & flag) != 0;
    std::free(before);
    std::free(xcb_xkb_per_client_flags_reply(
        c, xcb_xkb_per_client_flags(c, XCB_XKB_ID_USE_CORE_KBD, flag, on ? flag : 0, 0, 0, 0), nullptr));
    return wasOn;
}

}  // namespace

void KeyboardCapture::Listen(QWidget* window, Hook hook) {
    Stop();
    if (window == nullptr) {
        return;
    }
    m_window = window;
    m_hook = std::move(hook);
    m_active = true;
    m_grabbed = false;
    m_down.clear();
    m_repeatWasDetectable = SetDetectableAutoRepeat(true);
    window->installEventFilter(this);
}

bool KeyboardCapture::GrabNow(QString* error) {
    if (!m_active || !m_window) {
        return false;
    }
    if (m_grabbed || m_grab(m_window, true)) {
        m_grabbed = true;
        return true;
    }
    if (error != nullptr) {
        *error = QGuiApplication::platformName() == QLatin1String("wayland")
                     ? QStringLiteral("this Wayland session does not let a program capture the keyboard")
                     : QStringLiteral("the desktop refused the keyboard grab (another program holds it)");
    }
    return false;
}

bool KeyboardCapture::Start(QWidget* window, Hook hook, QString* error) {
    Listen(window, std::move(hook));
    if (!GrabNow(error)) {
        Stop();
        if (window == nullptr && error != nullptr) {
            *error = QStringLiteral("no window to capture the keyboard for");
        }
        return false;
    }
    return true;
}

void KeyboardCapture::Stop() {
    if (!m_active) {
        return;
    }
    m_active = false;
    if (m_window) {
        m_window->removeEventFilter(this);
        if (m_grabbed) {
            m_grab(m_window, false);
        }
    }
    if (m_repeatWasDetectable && !*m_repeatWasDetectable) {
        SetDetectableAutoRepeat(false);
    }
    m_repeatWasDetectable.reset();
    m_grabbed = false;
    m_down.clear();
    m_window = nullptr;
    m_hook = nullptr;
}

bool KeyboardCapture::eventFilter(QObject* watched, QEvent* event) {
    // With the grab every key event of the application goes to the window itself.
    if (m_active && watched == m_window && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool press = event->type() == QEvent::KeyPress;
        if (key->isAutoRepeat() && !press) {
            return true;  // Windows reports a held key as repeated presses only
        }
        KeyRecord record = ToKeyRecord(*key);
        // Which keys are down is kept here, not taken from Qt's repeat flag: a press of a
        // key that is down is its repeat, whatever the flag says.
        const uint32_t id = key->nativeScanCode() != 0 ? key->nativeScanCode() : 0x80000000u | static_cast<uint32_t>(key->key());
        if (press) {
            record.autoRepeat = !m_down.insert(id).second;
        } else {
            m_down.erase(id);
        }
        return m_hook ? m_hook(record) : true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace qm
