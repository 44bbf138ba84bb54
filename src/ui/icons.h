#pragma once
// The program's pictures, drawn at run time so that no image files need to ship.
#include <QIcon>

namespace kalvora::ui::icons {

QIcon application();  // window icon: the product's initial
QIcon company();      // an office building
QIcon user();         // a person
QIcon changeUser();   // a person with a turning arrow
QIcon confirm();      // a green tick
QIcon cancel();       // a red cross
QIcon proceed();      // a blue arrow pointing on
QIcon notice();       // an arrow leaving a box: opens the notice link

}  // namespace kalvora::ui::icons
