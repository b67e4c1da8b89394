#include "app/x11_keys.h"

#include <xcb/xcb.h>
#include <xcb/xinput.h>
// The XKB header names a field "explicit", a C++ keyword.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

#include <QGuiApplication>
#include <QSocketNotifier>
#include <cstdlib>
#include <vector>

#include "app/macro/key_translation.h"

namespace velmaro {

namespace {

constexpr uint32_t kTimeMask = 0x7FFFFFFF;

template <typename T>
struct FreeDeleter {
    void operator()(T* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter<T>>;

xcb_connection_t* QtConnection() {
    auto* app = qGuiApp;
    if (app == nullptr)
        return nullptr;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

// The server stops sending a release before each repeated press to this
// client; the toolkit then marks the repeated presses as repeats. Sent
// without waiting for the answers: a round trip here would wait for the
// server to work through everything the toolkit asked at its start, while
// the window could be built meanwhile. The server handles requests in
// order, so the flag is set before any key of this connection is read.
void AskForPressOnlyRepeat(xcb_connection_t* c) {
    constexpr uint32_t flag = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
    xcb_discard_reply(c, xcb_xkb_use_extension(c, 1, 0).sequence);
    xcb_discard_reply(
        c, xcb_xkb_per_client_flags(c, XCB_XKB_ID_USE_CORE_KBD, flag, flag, 0, 0, 0).sequence);
    xcb_flush(c);
}

}  // namespace

bool InstallX11KeyCapture() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return false;
    if (xcb_connection_t* c = QtConnection())
        AskForPressOnlyRepeat(c);
    SetDesktopKeySource([] { return std::make_unique<X11RawKeySource>(); });
    return true;
}

struct X11RawKeySource::Connection {
    xcb_connection_t* c = nullptr;
    xcb_window_t root = 0;
    uint8_t xinput = 0;  // the extension's major opcode
    xcb_keycode_t minKeycode = 0;
    int keysymsPerKeycode = 0;
    std::vector<xcb_keysym_t> keysyms;
    std::unique_ptr<QSocketNotifier> notifier;

    ~Connection() {
        notifier.reset();
        if (c != nullptr)
            xcb_disconnect(c);
    }

    // The key's keysym without modifiers: the virtual-key code names the key,
    // not the character a modifier makes of it. Keypad keys are the
    // exception: with Num Lock on they are the keypad's digits.
    uint32_t KeysymOf(xcb_keycode_t code) const {
        const size_t at = size_t(code - minKeycode) * size_t(keysymsPerKeycode);
        if (code < minKeycode || at >= keysyms.size())
            return 0;
        if (keysymsPerKeycode > 1 && at + 1 < keysyms.size() && IsKeypadDigit(keysyms[at + 1]) &&
            NumLockOn())
            return keysyms[at + 1];
        // A key with nothing on its first level (some keymaps put a modifier
        // only on the second) is named by its first keysym.
        for (size_t i = at; i < at + size_t(keysymsPerKeycode) && i < keysyms.size(); ++i) {
            if (keysyms[i] != 0)
                return keysyms[i];
        }
        return 0;
    }

    static bool IsKeypadDigit(xcb_keysym_t sym) {
        constexpr xcb_keysym_t kKeypadDecimal = 0xffae, kKeypad0 = 0xffb0, kKeypad9 = 0xffb9;
        return sym == kKeypadDecimal || (sym >= kKeypad0 && sym <= kKeypad9);
    }

    // Num Lock is the second modifier on every usual keymap.
    bool NumLockOn() const {
        Reply<xcb_query_pointer_reply_t> pointer(
            xcb_query_pointer_reply(c, xcb_query_pointer(c, root), nullptr));
        return pointer && (pointer->mask & XCB_MOD_MASK_2) != 0;
    }

    bool Select(bool keys) {
        struct {
            xcb_input_event_mask_t head;
            uint32_t bits;
        } mask{};
        mask.head.deviceid = XCB_INPUT_DEVICE_ALL_MASTER;
        mask.head.mask_len = 1;
        mask.bits =
            keys ? XCB_INPUT_XI_EVENT_MASK_RAW_KEY_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_KEY_RELEASE
                 : 0;
        Reply<xcb_generic_error_t> error(
            xcb_request_check(c, xcb_input_xi_select_events_checked(c, root, 1, &mask.head)));
        return error == nullptr;
    }
};

X11RawKeySource::X11RawKeySource() = default;

X11RawKeySource::~X11RawKeySource() {
    Stop();
}

bool X11RawKeySource::Start(Sink sink) {
    Stop();
    auto x = std::make_unique<Connection>();
    int screenNumber = 0;
    x->c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(x->c))
        return false;
    const xcb_query_extension_reply_t* ext = xcb_get_extension_data(x->c, &xcb_input_id);
    if (ext == nullptr || !ext->present)
        return false;
    x->xinput = ext->major_opcode;
    // 2.2: raw events reach every client that selected them, also while
    // another client (the desktop's shortcuts) grabs the keyboard.
    Reply<xcb_input_xi_query_version_reply_t> version(
        xcb_input_xi_query_version_reply(x->c, xcb_input_xi_query_version(x->c, 2, 2), nullptr));
    if (!version || version->major_version < 2)
        return false;

    const xcb_setup_t* setup = xcb_get_setup(x->c);
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(setup);
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    if (screens.rem == 0)
        return false;
    x->root = screens.data->root;

    x->minKeycode = setup->min_keycode;
    const uint8_t count = uint8_t(setup->max_keycode - setup->min_keycode + 1);
    Reply<xcb_get_keyboard_mapping_reply_t> map(xcb_get_keyboard_mapping_reply(
        x->c, xcb_get_keyboard_mapping(x->c, setup->min_keycode, count), nullptr));
    if (!map)
        return false;
    x->keysymsPerKeycode = map->keysyms_per_keycode;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map.get());
    x->keysyms.assign(syms, syms + xcb_get_keyboard_mapping_keysyms_length(map.get()));

    if (!x->Select(true))
        return false;
    x->notifier =
        std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(x->c), QSocketNotifier::Read);
    QObject::connect(x->notifier.get(), &QSocketNotifier::activated, x->notifier.get(),
                     [this] { Read(); });
    x_ = std::move(x);
    sink_ = std::move(sink);
    // Events read while waiting for the replies are already queued.
    Read();
    return true;
}

void X11RawKeySource::Stop() {
    if (x_ == nullptr)
        return;
    // Nothing more is read from now on; closing the connection ends the
    // selection on the server too.
    x_->Select(false);
    xcb_flush(x_->c);
    x_.reset();
    sink_ = nullptr;
}

void X11RawKeySource::Read() {
    while (x_ != nullptr) {
        Reply<xcb_generic_event_t> event(xcb_poll_for_event(x_->c));
        if (!event) {
            if (xcb_connection_has_error(x_->c))
                x_->notifier->setEnabled(false);
            return;
        }
        if ((event->response_type & 0x7F) != XCB_GE_GENERIC)
            continue;
        const auto* ge = reinterpret_cast<const xcb_ge_generic_event_t*>(event.get());
        if (ge->extension != x_->xinput || (ge->event_type != XCB_INPUT_RAW_KEY_PRESS &&
                                            ge->event_type != XCB_INPUT_RAW_KEY_RELEASE))
            continue;
        const auto* raw = reinterpret_cast<const xcb_input_raw_key_press_event_t*>(event.get());
        if ((raw->flags & XCB_INPUT_KEY_EVENT_FLAGS_KEY_REPEAT) != 0)
            continue;
        const auto code = xcb_keycode_t(raw->detail);
        const uint8_t vk = VirtualKeyOf(NativeKey{0, Qt::NoModifier, x_->KeysymOf(code), code});
        if (vk != 0 && sink_)
            sink_(vk, ge->event_type == XCB_INPUT_RAW_KEY_RELEASE, raw->time & kTimeMask);
    }
}

}  // namespace velmaro
