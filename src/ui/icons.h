#pragma once
// The program's pictures, drawn at run time so that no image files need to ship.
#include <QIcon>

#include <string_view>

namespace kalvora::ui::icons {

QIcon application();  // window icon: the product's initial
QIcon company();      // an office building
QIcon user();         // a person
QIcon changeUser();   // a person with a turning arrow
QIcon confirm();      // a green tick
QIcon cancel();       // a red cross
QIcon proceed();      // a blue arrow pointing on
QIcon notice();       // an arrow leaving a box: opens the notice link

// The built-in picture of a toolbar command ("*info", "*fine" ...): the desktop's icon theme
// where it has one, else the drawn picture. Null for a command without a built-in picture.
QIcon toolbarPicture(std::string_view command);
// The picture drawn here for a toolbar command, whatever the theme holds.
QIcon drawnToolbarPicture(std::string_view command);
// The freedesktop names looked up for a toolbar command, best first.
QStringList themeNames(std::string_view command);
// On a desktop without an icon theme of its own (a bare window manager), looks the toolbar's
// pictures up in the installed GNOME theme before drawing them.
void useInstalledIconTheme();

}  // namespace kalvora::ui::icons
