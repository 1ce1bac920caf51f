// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/TrayWatcher.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <cstdlib>
#include <string>
#include <xcb/xcb.h>
#include <xcb/xfixes.h>

namespace qm {

namespace {

constexpr const char* kStatusNotifierWatcher = "org.kde.StatusNotifierWatcher";

xcb_connection_t* X11Connection() {
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 != nullptr ? x11->connection() : nullptr;
}

}  // namespace

TrayWatcher::TrayWatcher(QObject* parent) : QObject(parent) {
    bool x11Tray = false;
    if (xcb_connection_t* c = X11Connection()) {
        const xcb_query_extension_reply_t* xfixes = xcb_get_extension_data(c, &xcb_xfixes_id);
        // The tray of the display's screen ("host:0.1" names screen 1).
        int number = 0;
        char* host = nullptr;
        int display = 0;
        if (!xcb_parse_display(nullptr, &host, &display, &number)) {
            number = 0;
        }
        std::free(host);
        xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
        for (int i = 0; i < number && screens.rem > 0; ++i) {
            xcb_screen_next(&screens);
        }
        const xcb_screen_t* screen = screens.rem > 0 ? screens.data : nullptr;
        if (xfixes != nullptr && xfixes->present && screen != nullptr) {
            std::free(xcb_xfixes_query_version_reply(c, xcb_xfixes_query_version(c, 5, 0), nullptr));
            m_xfixesEvent = xfixes->first_event;
            const std::string name = "_NET_SYSTEM_TRAY_S" + std::to_string(number);
            xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
                c, xcb_intern_atom(c, 0, static_cast<uint16_t>(name.size()), name.c_str()), nullptr);
            if (atom != nullptr) {
                m_selection = atom->atom;
                std::free(atom);
                // Told of every new owner, and of an owner that goes.
                xcb_xfixes_select_selection_input(c, screen->root, m_selection,
                                                  XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                                                      XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                                                      XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
                xcb_get_selection_owner_reply_t* owner =
                    xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, m_selection), nullptr);
                x11Tray = owner != nullptr && owner->owner != XCB_NONE;
                std::free(owner);
                xcb_flush(c);
                QCoreApplication::instance()->installNativeEventFilter(this);
            }
        }
    }
    bool host = false;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        m_watcher = std::make_unique<QDBusServiceWatcher>(
            QString::fromLatin1(kStatusNotifierWatcher), bus,
            QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration);
        connect(m_watcher.get(), &QDBusServiceWatcher::serviceRegistered, this,
                [this] { Set(m_x11Tray, true); });
        connect(m_watcher.get(), &QDBusServiceWatcher::serviceUnregistered, this,
                [this] { Set(m_x11Tray, false); });
        host = bus.interface()->isServiceRegistered(QString::fromLatin1(kStatusNotifierWatcher));
    }
    m_x11Tray = x11Tray;
    m_statusNotifierHost = host;
}

TrayWatcher::~TrayWatcher() {
    if (m_selection != 0 && QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

bool TrayWatcher::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (m_selection == 0 || eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) == m_xfixesEvent + XCB_XFIXES_SELECTION_NOTIFY) {
        const auto* notify = reinterpret_cast<const xcb_xfixes_selection_notify_event_t*>(event);
        if (notify->selection == m_selection) {
            Set(notify->subtype == XCB_XFIXES_SELECTION_EVENT_SET_SELECTION_OWNER && notify->owner != XCB_NONE,
                m_statusNotifierHost);
        }
    }
    return false;  // Qt sees it too
}

void TrayWatcher::Set(bool x11Tray, bool statusNotifierHost) {
    const bool before = Available();
    m_x11Tray = x11Tray;
    m_statusNotifierHost = statusNotifierHost;
    if (Available() != before) {
        emit changed(Available());
    }
}

}  // namespace qm
