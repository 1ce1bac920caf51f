// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

namespace qm {

// The program's window messages. Their numbers lie in Qt's user range and serve directly
// as event types.
enum Message : int {
    WM_LEBEDIT_END = 1124,
    UM_TRAY_ICON = 2033,
    UM_DEVICE_EVENT = 2034,
    UM_DESELECT = 2036,
    UM_RECORD_KEY = 2342,
    UM_PROFILE_COMMAND = 2819,
    UM_SINGLE_KEY = 2820,
    UM_MARKER_POS = 11029,
    UM_RESTORE = 11110,
};

// A window message: its number is the event type; wParam and lParam travel with it.
class MessageEvent : public QEvent {
public:
    MessageEvent(int message, qintptr wParam, qintptr lParam)
        : QEvent(static_cast<QEvent::Type>(message)), m_wParam(wParam), m_lParam(lParam) {}
    int Message() const { return static_cast<int>(type()); }
    qintptr WParam() const { return m_wParam; }
    qintptr LParam() const { return m_lParam; }

private:
    qintptr m_wParam;
    qintptr m_lParam;
};

// PostMessageW: queued, handled when the receiver's thread gets to it.
inline void PostMessage(QObject* target, int message, qintptr wParam, qintptr lParam) {
    if (target != nullptr) {
        QCoreApplication::postEvent(target, new MessageEvent(message, wParam, lParam));
    }
}

}  // namespace qm
