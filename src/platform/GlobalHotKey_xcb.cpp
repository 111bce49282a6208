#include "platform/GlobalHotKey.h"

#include <QSocketNotifier>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdlib>

namespace {

// Num Lock is Mod2 on every common X server layout; Caps Lock is Lock.
constexpr uint16_t kIgnoredModifierSets[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                             XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

}  // namespace

struct TGlobalHotKey::TConnection {
    xcb_connection_t* xcb = nullptr;
    xcb_window_t root = 0;
    ~TConnection() {
        if (xcb != nullptr) {
            xcb_disconnect(xcb);
        }
    }
};

TGlobalHotKey::TGlobalHotKey(unsigned keysym, QObject* parent) : QObject(parent) {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        qInfo("Global hot key not available: no X display");
        return;
    }
    auto connection = std::make_unique<TConnection>();
    connection->xcb = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection->xcb) != 0) {
        qInfo("Global hot key not available: cannot connect to the X display");
        return;
    }
    connection->root = xcb_setup_roots_iterator(xcb_get_setup(connection->xcb)).data->root;

    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(connection->xcb);
    xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, keysym);
    const xcb_keycode_t keycode = codes != nullptr ? codes[0] : 0;
    std::free(codes);
    xcb_key_symbols_free(symbols);
    if (keycode == 0) {
        qInfo("Global hot key not available: the keyboard has no such key");
        return;
    }

    for (uint16_t modifiers : kIgnoredModifierSets) {
        const xcb_void_cookie_t cookie =
            xcb_grab_key_checked(connection->xcb, 1, connection->root, modifiers, keycode,
                                 XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        if (xcb_generic_error_t* error = xcb_request_check(connection->xcb, cookie)) {
            std::free(error);
            qInfo("Global hot key not available: another program holds the key");
            return;  // closing the connection releases the grabs made so far
        }
    }
    keycode_ = keycode;
    connection_ = std::move(connection);
    notifier_ = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection_->xcb),
                                                  QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &TGlobalHotKey::DrainEvents);
}

TGlobalHotKey::~TGlobalHotKey() = default;

void TGlobalHotKey::Unregister() {
    notifier_.reset();
    connection_.reset();
    keycode_ = 0;
}

void TGlobalHotKey::DrainEvents() {
    while (connection_) {
        xcb_generic_event_t* event = xcb_poll_for_event(connection_->xcb);
        if (event == nullptr) {
            break;
        }
        const bool pressed = (event->response_type & 0x7F) == XCB_KEY_PRESS &&
                             reinterpret_cast<xcb_key_press_event_t*>(event)->detail == keycode_;
        std::free(event);
        if (pressed && OnPressed) {
            OnPressed();
        }
    }
    if (connection_ && xcb_connection_has_error(connection_->xcb) != 0) {
        qInfo("Global hot key lost: the X display connection closed");
        Unregister();
    }
}
