// X11 window lookup against a real X server: launch_modules.sh runs it on its own Xvfb, first
// without a window manager and then with one (KALVORA_EXPECT_WM says which). The windows are
// made by a second connection, as another program's would be.
#include "ui/x11_windows.h"

#include <xcb/xcb.h>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

using kalvora::ui::X11Window;
using kalvora::ui::X11Windows;

namespace {

struct Props {
    std::optional<std::string> netWmName{};  // UTF-8
    std::optional<std::string> wmName{};     // Latin-1 bytes
    std::optional<std::uint32_t> pid{};
    bool acceptsDelete = true;
    bool mapped = true;
    X11Window parent = 0;  // the root when 0
};

// Polls until `ready` holds, for up to five seconds: the window manager works asynchronously.
bool eventually(const std::function<bool()>& ready, std::chrono::milliseconds limit = std::chrono::seconds(5)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!ready()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

class X11WindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        client_ = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(client_)) GTEST_SKIP() << "no X display";
        root_ = xcb_setup_roots_iterator(xcb_get_setup(client_)).data->root;
        windows_ = X11Windows::connect();
        ASSERT_TRUE(windows_);
        const char* expect = std::getenv("KALVORA_EXPECT_WM");
        withWm_ = expect && std::string(expect) == "1";
    }
    void TearDown() override {
        if (client_) {
            for (X11Window w : made_) xcb_destroy_window(client_, w);
            xcb_flush(client_);
            xcb_disconnect(client_);
        }
    }

    xcb_atom_t atom(const char* name) {
        auto* reply = xcb_intern_atom_reply(client_, xcb_intern_atom(client_, 0, std::strlen(name), name), nullptr);
        const xcb_atom_t a = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
        std::free(reply);
        return a;
    }

    X11Window make(const Props& p) {
        const X11Window w = xcb_generate_id(client_);
        xcb_create_window(client_, XCB_COPY_FROM_PARENT, w, p.parent ? p.parent : root_, 10, 10, 200, 100, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        if (p.netWmName)
            xcb_change_property(client_, XCB_PROP_MODE_REPLACE, w, atom("_NET_WM_NAME"), atom("UTF8_STRING"), 8,
                                p.netWmName->size(), p.netWmName->data());
        if (p.wmName)
            xcb_change_property(client_, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                                p.wmName->size(), p.wmName->data());
        if (p.pid)
            xcb_change_property(client_, XCB_PROP_MODE_REPLACE, w, atom("_NET_WM_PID"), XCB_ATOM_CARDINAL, 32, 1,
                                &*p.pid);
        if (p.acceptsDelete) {
            const xcb_atom_t del = atom("WM_DELETE_WINDOW");
            xcb_change_property(client_, XCB_PROP_MODE_REPLACE, w, atom("WM_PROTOCOLS"), XCB_ATOM_ATOM, 32, 1, &del);
        }
        // Input hint set: the window takes the focus when activated.
        const std::uint32_t hints[9] = {1, 1, 0, 0, 0, 0, 0, 0, 0};
        xcb_change_property(client_, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32, 9, hints);
        if (p.mapped) xcb_map_window(client_, w);
        xcb_flush(client_);
        made_.push_back(w);
        return w;
    }

    bool found(const std::string& title, X11Window expected, const std::vector<X11Window>& skip = {}) {
        return eventually([&] { return windows_->find(title, skip) == expected; });
    }

    // Whether the client got WM_DELETE_WINDOW for `window` within a second.
    bool deleteRequested(X11Window window) {
        const xcb_atom_t protocols = atom("WM_PROTOCOLS"), del = atom("WM_DELETE_WINDOW");
        bool hit = false;
        return eventually([&] {
            while (xcb_generic_event_t* event = xcb_poll_for_event(client_)) {
                const auto* m = reinterpret_cast<xcb_client_message_event_t*>(event);
                hit = hit || ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE && m->window == window &&
                              m->type == protocols && m->data.data32[0] == del);
                std::free(event);
            }
            return hit;
        }, std::chrono::seconds(1));
    }

    // The window manager's active window, or without one the window with the input focus.
    X11Window active() {
        X11Window w = 0;
        if (!withWm_) {
            auto* reply = xcb_get_input_focus_reply(client_, xcb_get_input_focus(client_), nullptr);
            w = reply ? reply->focus : 0;
            std::free(reply);
            return w;
        }
        auto* reply = xcb_get_property_reply(
            client_, xcb_get_property(client_, 0, root_, atom("_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW, 0, 1), nullptr);
        if (reply && xcb_get_property_value_length(reply) >= 4)
            w = *static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
        std::free(reply);
        return w;
    }

    xcb_connection_t* client_ = nullptr;
    X11Window root_ = 0;
    std::unique_ptr<X11Windows> windows_;
    bool withWm_ = false;
    std::vector<X11Window> made_;
};

// The UTF-8 name first; without it the old name, read as Latin-1.
TEST_F(X11WindowsTest, FindsTheExactTitlePreferringTheUtf8Name) {
    const X11Window w = make({.netWmName = "Gestione archivio clienti – Città", .wmName = "Vecchio nome"});
    EXPECT_TRUE(found("Gestione archivio clienti – Città", w));
    EXPECT_EQ(windows_->title(w), "Gestione archivio clienti – Città");
    EXPECT_FALSE(windows_->find("Gestione archivio clienti"));
    EXPECT_FALSE(windows_->find("gestione archivio clienti – città"));
    EXPECT_FALSE(windows_->find("Vecchio nome"));
    const X11Window old = make({.wmName = "Citt\xe0 Nuova"});
    EXPECT_TRUE(found("Città Nuova", old));
    EXPECT_EQ(windows_->title(old), "Città Nuova");
}

TEST_F(X11WindowsTest, LeavesOutOwnHiddenAndSkippedWindows) {
    make({.netWmName = "Emissione fatture", .pid = static_cast<std::uint32_t>(getpid())});
    make({.netWmName = "Emissione fatture", .mapped = false});
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(windows_->find("Emissione fatture"));

    const X11Window other = make({.netWmName = "Emissione fatture", .pid = 1});
    EXPECT_TRUE(found("Emissione fatture", other));
    EXPECT_FALSE(windows_->find("Emissione fatture", {other}));
}

TEST_F(X11WindowsTest, AWindowThatHasGoneIsSkippedQuietly) {
    const X11Window w = make({.netWmName = "Rubrica clienti"});
    ASSERT_TRUE(found("Rubrica clienti", w));
    xcb_destroy_window(client_, w);
    xcb_flush(client_);
    made_.pop_back();
    EXPECT_TRUE(eventually([&] { return !windows_->find("Rubrica clienti"); }));
    EXPECT_FALSE(windows_->title(w));
    EXPECT_FALSE(windows_->activate(w));
    EXPECT_FALSE(windows_->acceptsDelete(w));
    EXPECT_FALSE(windows_->requestClose(w));
}

TEST_F(X11WindowsTest, AsksToCloseOnlyWindowsThatAcceptIt) {
    const X11Window polite = make({.netWmName = "Elenco clienti"});
    const X11Window deaf = make({.netWmName = "Elenco fornitori", .acceptsDelete = false});
    ASSERT_TRUE(found("Elenco clienti", polite));
    ASSERT_TRUE(found("Elenco fornitori", deaf));
    EXPECT_TRUE(windows_->acceptsDelete(polite));
    EXPECT_FALSE(windows_->acceptsDelete(deaf));

    EXPECT_FALSE(windows_->requestClose(deaf));
    EXPECT_FALSE(deleteRequested(deaf));
    EXPECT_TRUE(windows_->requestClose(polite));
    EXPECT_TRUE(deleteRequested(polite));
}

// Activating goes through the window manager when one runs, and straight to the focus otherwise.
TEST_F(X11WindowsTest, ActivationGivesTheWindowTheFocus) {
    EXPECT_EQ(windows_->windowManagerRunning(), withWm_);
    const X11Window first = make({.netWmName = "Carico di magazzino"});
    const X11Window second = make({.netWmName = "Scarico di magazzino"});
    ASSERT_TRUE(found("Carico di magazzino", first));
    ASSERT_TRUE(found("Scarico di magazzino", second));
    for (const X11Window w : {first, second, first}) {
        ASSERT_TRUE(windows_->activate(w));
        EXPECT_TRUE(eventually([&] { return active() == w; })) << "window " << w;
    }
}

TEST_F(X11WindowsTest, WithoutAWindowManagerLooksOneLevelDown) {
    if (withWm_) GTEST_SKIP() << "a window manager lists its clients itself";
    const X11Window holder = make({.acceptsDelete = false});
    const X11Window inner = make({.netWmName = "Vendite al banco", .parent = holder});
    EXPECT_TRUE(found("Vendite al banco", inner));
    // Activating it raises its holder over a later sibling and gives it the focus.
    const X11Window sibling = make({.netWmName = "Altro"});
    ASSERT_TRUE(found("Altro", sibling));
    ASSERT_TRUE(windows_->activate(inner));
    EXPECT_TRUE(eventually([&] { return active() == inner; }));
}

}  // namespace
