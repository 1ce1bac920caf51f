// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/WindowFinder.h"

#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace qm {

namespace {

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

QString Title(xcb_connection_t* c, xcb_window_t window, xcb_atom_t netWmName, xcb_atom_t utf8) {
    const std::pair<xcb_atom_t, xcb_atom_t> names[] = {{netWmName, utf8},
                                                       {XCB_ATOM_WM_NAME, XCB_ATOM_STRING}};
    for (const auto& [property, type] : names) {
        if (property == XCB_ATOM_NONE) {
            continue;
        }
        xcb_get_property_reply_t* reply = xcb_get_property_reply(
            c, xcb_get_property(c, 0, window, property, type, 0, 1024), nullptr);
        if (reply != nullptr) {
            const int length = xcb_get_property_value_length(reply);
            QString title = length > 0 ? QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(reply)),
                                                           length)
                                       : QString();
            std::free(reply);
            if (!title.isEmpty()) {
                return title;
            }
        }
    }
    return {};
}

}  // namespace

bool WindowExists(const QString& title) {
    if (std::getenv("DISPLAY") == nullptr) {
        return false;
    }
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c) != 0) {
        xcb_disconnect(c);
        return false;
    }
    bool found = false;
    const xcb_atom_t clientList = Atom(c, "_NET_CLIENT_LIST");
    const xcb_atom_t netWmName = Atom(c, "_NET_WM_NAME");
    const xcb_atom_t utf8 = Atom(c, "UTF8_STRING");
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (; screens.rem > 0 && !found; xcb_screen_next(&screens)) {
        xcb_get_property_reply_t* reply = xcb_get_property_reply(
            c, xcb_get_property(c, 0, screens.data->root, clientList, XCB_ATOM_WINDOW, 0, 4096), nullptr);
        if (reply == nullptr) {
            continue;
        }
        const auto* windows = static_cast<const xcb_window_t*>(xcb_get_property_value(reply));
        const int count = xcb_get_property_value_length(reply) / static_cast<int>(sizeof(xcb_window_t));
        for (int i = 0; i < count && !found; ++i) {
            found = Title(c, windows[i], netWmName, utf8) == title;
        }
        std::free(reply);
    }
    xcb_disconnect(c);
    return found;
}

}  // namespace qm
