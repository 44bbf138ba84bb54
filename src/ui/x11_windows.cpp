#include "ui/x11_windows.h"

#include <xcb/xcb.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace kalvora::ui {

namespace {

struct FreeReply {
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply>;

// Titles longer than this cannot be one the launcher looks for.
constexpr std::uint32_t titleLongs = 1024;
constexpr std::uint32_t maxClients = 65536;
constexpr std::uint32_t maxProtocols = 64;
// Source indication of _NET_ACTIVE_WINDOW and _NET_CLOSE_WINDOW: a pager, which the window
// manager obeys without applying its focus-stealing rules.
constexpr std::uint32_t sourcePager = 2;
constexpr int maxDepth = 64;

// Sends a request and waits for its outcome: true when the server accepted it.
bool accepted(xcb_connection_t* c, xcb_void_cookie_t cookie) {
    xcb_generic_error_t* error = xcb_request_check(c, cookie);
    std::free(error);
    return error == nullptr;
}

Reply<xcb_get_property_reply_t> propertyReply(xcb_connection_t* c, xcb_get_property_cookie_t cookie) {
    xcb_generic_error_t* error = nullptr;
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(c, cookie, &error));
    std::free(error);
    return reply;
}

std::string latin1ToUtf8(const char* data, std::size_t size) {
    std::string out;
    out.reserve(size);
    for (std::size_t i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(data[i]);
        if (byte < 0x80) {
            out += static_cast<char>(byte);
        } else {
            out += static_cast<char>(0xc0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3f));
        }
    }
    return out;
}

}  // namespace

struct X11Windows::Atoms {
    xcb_atom_t supportingWmCheck = XCB_ATOM_NONE;
    xcb_atom_t clientList = XCB_ATOM_NONE;
    xcb_atom_t netWmName = XCB_ATOM_NONE;
    xcb_atom_t utf8String = XCB_ATOM_NONE;
    xcb_atom_t netWmPid = XCB_ATOM_NONE;
    xcb_atom_t activeWindow = XCB_ATOM_NONE;
    xcb_atom_t closeWindow = XCB_ATOM_NONE;
    xcb_atom_t wmProtocols = XCB_ATOM_NONE;
    xcb_atom_t wmDeleteWindow = XCB_ATOM_NONE;
};

struct X11Windows::Info {
    bool alive = false;
    bool shown = false;  // mapped and not a menu or tooltip (override-redirect)
    std::optional<std::string> title;
    std::optional<std::uint32_t> pid;
};

std::unique_ptr<X11Windows> X11Windows::connect(const std::string& displayName) {
    int screen = 0;
    xcb_connection_t* c = xcb_connect(displayName.empty() ? nullptr : displayName.c_str(), &screen);
    if (!c) return nullptr;
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return nullptr;
    }
    return std::unique_ptr<X11Windows>(new X11Windows(c, true));
}

std::unique_ptr<X11Windows> X11Windows::borrow(xcb_connection_t* connection) {
    if (!connection || xcb_connection_has_error(connection)) return nullptr;
    return std::unique_ptr<X11Windows>(new X11Windows(connection, false));
}

X11Windows::X11Windows(xcb_connection_t* connection, bool owned)
    : connection_(connection), owned_(owned), ownPid_(static_cast<std::uint32_t>(getpid())),
      atoms_(std::make_unique<Atoms>()) {
    internAtoms();
}

X11Windows::~X11Windows() {
    if (owned_) xcb_disconnect(connection_);
}

void X11Windows::internAtoms() {
    struct Wanted {
        const char* name;
        xcb_atom_t* atom;
    };
    Atoms& a = *atoms_;
    const Wanted wanted[] = {
        {"_NET_SUPPORTING_WM_CHECK", &a.supportingWmCheck},
        {"_NET_CLIENT_LIST", &a.clientList},
        {"_NET_WM_NAME", &a.netWmName},
        {"UTF8_STRING", &a.utf8String},
        {"_NET_WM_PID", &a.netWmPid},
        {"_NET_ACTIVE_WINDOW", &a.activeWindow},
        {"_NET_CLOSE_WINDOW", &a.closeWindow},
        {"WM_PROTOCOLS", &a.wmProtocols},
        {"WM_DELETE_WINDOW", &a.wmDeleteWindow},
    };
    std::vector<xcb_intern_atom_cookie_t> cookies;
    for (const Wanted& w : wanted)
        cookies.push_back(xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(w.name)), w.name));
    for (std::size_t i = 0; i < cookies.size(); ++i) {
        xcb_generic_error_t* error = nullptr;
        Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection_, cookies[i], &error));
        std::free(error);
        *wanted[i].atom = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    }
}

std::vector<X11Window> X11Windows::roots() const {
    std::vector<X11Window> out;
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(connection_)); it.rem > 0; xcb_screen_next(&it))
        out.push_back(it.data->root);
    return out;
}

std::optional<std::vector<std::uint32_t>> X11Windows::cardinals(X11Window window, std::uint32_t property,
                                                                 std::uint32_t type, std::uint32_t maxItems) {
    if (property == XCB_ATOM_NONE) return std::nullopt;
    auto reply = propertyReply(connection_, xcb_get_property(connection_, 0, window, property, type, 0, maxItems));
    if (!reply || reply->type != type || reply->format != 32) return std::nullopt;
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    return std::vector<std::uint32_t>(values, values + std::max(count, 0));
}

std::optional<X11Window> X11Windows::windowManagerCheck(X11Window root) {
    const auto check = cardinals(root, atoms_->supportingWmCheck, XCB_ATOM_WINDOW, 1);
    if (!check || check->empty()) return std::nullopt;
    // A window manager that died leaves the root's property behind, pointing to a window that
    // no longer exists or no longer points back.
    const auto self = cardinals(check->front(), atoms_->supportingWmCheck, XCB_ATOM_WINDOW, 1);
    if (!self || self->empty() || self->front() != check->front()) return std::nullopt;
    return check->front();
}

bool X11Windows::windowManagerRunning() {
    const auto all = roots();
    return std::any_of(all.begin(), all.end(), [this](X11Window root) { return windowManagerCheck(root).has_value(); });
}

std::vector<X11Window> X11Windows::children(X11Window window) {
    xcb_generic_error_t* error = nullptr;
    Reply<xcb_query_tree_reply_t> reply(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, window), &error));
    std::free(error);
    if (!reply) return {};
    const xcb_window_t* list = xcb_query_tree_children(reply.get());
    return std::vector<X11Window>(list, list + std::max(xcb_query_tree_children_length(reply.get()), 0));
}

// Asks for everything about all the windows at once, then collects the answers: one round trip
// for the lot. A window that has gone answers with errors and comes back not alive.
std::vector<X11Windows::Info> X11Windows::describe(const std::vector<X11Window>& windows, bool wantMapState) {
    struct Cookies {
        xcb_get_window_attributes_cookie_t attributes{};
        xcb_get_property_cookie_t netName{};
        xcb_get_property_cookie_t name{};
        xcb_get_property_cookie_t pid{};
    };
    const Atoms& a = *atoms_;
    std::vector<Cookies> cookies(windows.size());
    for (std::size_t i = 0; i < windows.size(); ++i) {
        const X11Window w = windows[i];
        if (wantMapState) cookies[i].attributes = xcb_get_window_attributes(connection_, w);
        cookies[i].netName = xcb_get_property(connection_, 0, w, a.netWmName, XCB_GET_PROPERTY_TYPE_ANY, 0, titleLongs);
        cookies[i].name = xcb_get_property(connection_, 0, w, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, titleLongs);
        cookies[i].pid = xcb_get_property(connection_, 0, w, a.netWmPid, XCB_ATOM_CARDINAL, 0, 1);
    }

    // Text of a title property: UTF-8 when the property says so, Latin-1 otherwise.
    auto text = [&](const Reply<xcb_get_property_reply_t>& r) -> std::optional<std::string> {
        if (!r || r->type == XCB_ATOM_NONE || r->format != 8 || r->bytes_after > 0) return std::nullopt;
        const auto* data = static_cast<const char*>(xcb_get_property_value(r.get()));
        std::size_t size = static_cast<std::size_t>(std::max(xcb_get_property_value_length(r.get()), 0));
        while (size > 0 && data[size - 1] == '\0') --size;
        if (r->type == a.utf8String) return std::string(data, size);
        return latin1ToUtf8(data, size);
    };

    std::vector<Info> out(windows.size());
    for (std::size_t i = 0; i < windows.size(); ++i) {
        Info& info = out[i];
        if (wantMapState) {
            xcb_generic_error_t* error = nullptr;
            Reply<xcb_get_window_attributes_reply_t> attributes(
                xcb_get_window_attributes_reply(connection_, cookies[i].attributes, &error));
            std::free(error);
            info.alive = attributes != nullptr;
            info.shown = attributes && attributes->map_state != XCB_MAP_STATE_UNMAPPED &&
                         !attributes->override_redirect;
        }
        const auto netName = propertyReply(connection_, cookies[i].netName);
        const auto name = propertyReply(connection_, cookies[i].name);
        const auto pid = propertyReply(connection_, cookies[i].pid);
        if (!wantMapState) info.alive = info.shown = netName && name && pid;
        info.title = text(netName);
        if (!info.title) info.title = text(name);
        if (pid && pid->type == XCB_ATOM_CARDINAL && pid->format == 32 && xcb_get_property_value_length(pid.get()) >= 4)
            info.pid = *static_cast<const std::uint32_t*>(xcb_get_property_value(pid.get()));
    }
    return out;
}

std::optional<std::string> X11Windows::title(X11Window window) {
    return describe({window}, false).front().title;
}

std::optional<X11Window> X11Windows::find(const std::string& wanted, const std::vector<X11Window>& skip) {
    auto matches = [&](X11Window w, const Info& info) {
        return info.alive && info.shown && info.title && *info.title == wanted && !(info.pid && *info.pid == ownPid_) &&
               std::find(skip.begin(), skip.end(), w) == skip.end();
    };
    auto first = [&](const std::vector<X11Window>& windows, bool wantMapState) -> std::optional<X11Window> {
        const auto infos = describe(windows, wantMapState);
        for (std::size_t i = 0; i < windows.size(); ++i)
            if (matches(windows[i], infos[i])) return windows[i];
        return std::nullopt;
    };

    for (const X11Window root : roots()) {
        if (windowManagerCheck(root)) {
            if (auto clients = cardinals(root, atoms_->clientList, XCB_ATOM_WINDOW, maxClients)) {
                if (auto found = first(*clients, false)) return found;
                continue;
            }
        }
        // Topmost first.
        std::vector<X11Window> top = children(root);
        std::reverse(top.begin(), top.end());
        const auto infos = describe(top, true);
        for (std::size_t i = 0; i < top.size(); ++i) {
            if (!infos[i].alive || !infos[i].shown) continue;
            if (matches(top[i], infos[i])) return top[i];
            std::vector<X11Window> inner = children(top[i]);
            std::reverse(inner.begin(), inner.end());
            if (auto found = first(inner, true)) return found;
        }
    }
    return std::nullopt;
}

std::optional<X11Window> X11Windows::rootOf(X11Window window) {
    xcb_generic_error_t* error = nullptr;
    Reply<xcb_query_tree_reply_t> reply(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, window), &error));
    std::free(error);
    if (!reply) return std::nullopt;
    return reply->root;
}

std::optional<X11Window> X11Windows::topLevelOf(X11Window window, X11Window root) {
    X11Window current = window;
    for (int depth = 0; depth < maxDepth; ++depth) {
        xcb_generic_error_t* error = nullptr;
        Reply<xcb_query_tree_reply_t> reply(
            xcb_query_tree_reply(connection_, xcb_query_tree(connection_, current), &error));
        std::free(error);
        if (!reply) return std::nullopt;
        if (reply->parent == root || reply->parent == XCB_WINDOW_NONE) return current;
        current = reply->parent;
    }
    return std::nullopt;
}

bool X11Windows::sendToRoot(X11Window root, X11Window window, std::uint32_t type, const std::uint32_t (&data)[5]) {
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = type;
    std::copy(std::begin(data), std::end(data), event.data.data32);
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    return accepted(connection_, xcb_send_event_checked(connection_, 0, root, mask, reinterpret_cast<const char*>(&event)));
}

bool X11Windows::activate(X11Window window) {
    const auto root = rootOf(window);
    if (!root) return false;
    if (windowManagerCheck(*root)) {
        const std::uint32_t data[5] = {sourcePager, XCB_CURRENT_TIME, 0, 0, 0};
        return sendToRoot(*root, window, atoms_->activeWindow, data);
    }
    const X11Window top = topLevelOf(window, *root).value_or(window);
    if (!accepted(connection_, xcb_map_window_checked(connection_, top))) return false;
    if (top != window && !accepted(connection_, xcb_map_window_checked(connection_, window))) return false;
    const std::uint32_t above = XCB_STACK_MODE_ABOVE;
    if (!accepted(connection_, xcb_configure_window_checked(connection_, top, XCB_CONFIG_WINDOW_STACK_MODE, &above)))
        return false;
    // Refused when the window is not viewable (an unmapped parent): raised all the same.
    accepted(connection_, xcb_set_input_focus_checked(connection_, XCB_INPUT_FOCUS_PARENT, window, XCB_CURRENT_TIME));
    return true;
}

bool X11Windows::acceptsDelete(X11Window window) {
    const auto protocols = cardinals(window, atoms_->wmProtocols, XCB_ATOM_ATOM, maxProtocols);
    return protocols && atoms_->wmDeleteWindow != XCB_ATOM_NONE &&
           std::find(protocols->begin(), protocols->end(), atoms_->wmDeleteWindow) != protocols->end();
}

bool X11Windows::requestClose(X11Window window) {
    if (!acceptsDelete(window)) return false;
    const auto root = rootOf(window);
    if (!root) return false;
    if (windowManagerCheck(*root)) {
        const std::uint32_t data[5] = {XCB_CURRENT_TIME, sourcePager, 0, 0, 0};
        return sendToRoot(*root, window, atoms_->closeWindow, data);
    }
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atoms_->wmProtocols;
    event.data.data32[0] = atoms_->wmDeleteWindow;
    event.data.data32[1] = XCB_CURRENT_TIME;
    return accepted(connection_, xcb_send_event_checked(connection_, 0, window, XCB_EVENT_MASK_NO_EVENT,
                                                        reinterpret_cast<const char*>(&event)));
}

}  // namespace kalvora::ui
