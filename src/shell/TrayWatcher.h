// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <cstdint>
#include <memory>

class QDBusServiceWatcher;

namespace qm {

// Follows whether the desktop has a system tray, without ever looking now and then: on
// X11 the owner of the tray selection ("_NET_SYSTEM_TRAY_S<screen>"), reported by the
// XFixes extension as it changes; on a desktop that shows StatusNotifierItem icons, the
// watcher's name on the session bus as it appears and goes. Emits changed() whenever one
// of them changes; Available() then tells the new state.
class TrayWatcher : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    explicit TrayWatcher(QObject* parent = nullptr);
    ~TrayWatcher() override;

    bool Available() const { return m_x11Tray || m_statusNotifierHost; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    void changed(bool available);

private:
    void Set(bool x11Tray, bool statusNotifierHost);

    bool m_x11Tray = false;
    bool m_statusNotifierHost = false;
    uint32_t m_selection = 0;       // the tray selection's atom (0: no X11)
    uint8_t m_xfixesEvent = 0;      // the first event number of XFixes
    std::unique_ptr<QDBusServiceWatcher> m_watcher;
};

}  // namespace qm
