#pragma once
// Other programs' windows on an X11 display, through xcb: find a top-level window by its exact
// title, bring it to the front, ask it to close. Every reply is checked, so a window that
// vanishes halfway through a search is simply skipped (Xlib's default error handler would end
// the process instead).
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct xcb_connection_t;

namespace kalvora::ui {

using X11Window = std::uint32_t;

class X11Windows {
public:
    // Opens a connection of its own; an empty name means $DISPLAY. nullptr when there is no
    // display to talk to.
    static std::unique_ptr<X11Windows> connect(const std::string& displayName = {});
    // Works on a connection somebody else owns and keeps open (Qt's own).
    static std::unique_ptr<X11Windows> borrow(xcb_connection_t* connection);
    ~X11Windows();
    X11Windows(const X11Windows&) = delete;
    X11Windows& operator=(const X11Windows&) = delete;

    // Windows carrying this _NET_WM_PID are never found: they belong to this program.
    void setOwnPid(std::uint32_t pid) { ownPid_ = pid; }

    // A live window manager: the root's _NET_SUPPORTING_WM_CHECK window points to itself.
    bool windowManagerRunning();

    // The first top-level window whose title is exactly `title` (UTF-8), leaving out `skip`
    // and this program's windows. With a window manager its client list is searched, else the
    // mapped children of the root and their children one level down.
    std::optional<X11Window> find(const std::string& title, const std::vector<X11Window>& skip = {});

    // _NET_WM_NAME, else WM_NAME (Latin-1), as UTF-8; nullopt when the window has neither or
    // no longer exists.
    std::optional<std::string> title(X11Window window);

    // Through the window manager (_NET_ACTIVE_WINDOW), or map, raise and focus without one.
    // False when the window has gone.
    bool activate(X11Window window);

    // Whether the window's WM_PROTOCOLS declare WM_DELETE_WINDOW.
    bool acceptsDelete(X11Window window);

    // Asks the window to close (_NET_CLOSE_WINDOW, or WM_DELETE_WINDOW without a window
    // manager). Only windows that accept WM_DELETE_WINDOW are asked; false otherwise.
    bool requestClose(X11Window window);

private:
    struct Atoms;
    struct Info;

    X11Windows(xcb_connection_t* connection, bool owned);
    void internAtoms();
    std::vector<X11Window> roots() const;
    std::optional<X11Window> windowManagerCheck(X11Window root);
    std::vector<Info> describe(const std::vector<X11Window>& windows, bool wantMapState);
    std::vector<X11Window> children(X11Window window);
    std::optional<std::vector<std::uint32_t>> cardinals(X11Window window, std::uint32_t property,
                                                        std::uint32_t type, std::uint32_t maxItems);
    std::optional<X11Window> rootOf(X11Window window);
    std::optional<X11Window> topLevelOf(X11Window window, X11Window root);
    bool sendToRoot(X11Window root, X11Window window, std::uint32_t type, const std::uint32_t (&data)[5]);

    xcb_connection_t* connection_;
    bool owned_;
    std::uint32_t ownPid_;
    std::unique_ptr<Atoms> atoms_;
};

}  // namespace kalvora::ui
