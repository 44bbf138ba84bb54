#pragma once
// The program's pictures, drawn at run time so that no image files need to ship.
#include <QIcon>

#include <string_view>

class QPainter;
class QRect;

namespace kalvora::ui::icons {

// The sides the main window shows the company and user pictures at.
inline constexpr int companySide = 40;
inline constexpr int userSide = 28;

QIcon application();  // window icon: the product's initial
QIcon company();      // an office building
QIcon user();         // a person
QIcon changeUser();   // a person with a turning arrow
QIcon confirm();      // a green tick
QIcon cancel();       // a red cross
QIcon proceed();      // a blue arrow pointing on
QIcon notice();       // an arrow leaving a box: opens the notice link
QIcon moreItems(Qt::Orientation orientation);  // chevrons: a bar's hidden entries

// The built-in picture of a toolbar command ("*info", "*fine" ...); null for a command without
// one.
QIcon toolbarPicture(std::string_view command);
// Draws the pictures the main window shows at start (window icon, company, user, the default
// toolbar's at `toolbarSide`) ahead of their first showing; safe on any thread. The main thread
// then takes these drawings instead of making them.
void drawMainWindowPicturesAhead(int toolbarSide);
// On a desktop without an icon theme of its own (a bare window manager), the standard dialogs
// take their pictures from the installed GNOME theme. Looked up only when a dialog shows one.
void useInstalledIconTheme();

}  // namespace kalvora::ui::icons
