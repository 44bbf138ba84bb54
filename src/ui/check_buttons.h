#pragma once
// Check boxes and option buttons follow their state, not the click: the keyboard and an
// assistive tool's Toggle change the state without any click.
#include <functional>

class QAbstractButton;
class QObject;

namespace kalvora::ui {

// Runs `changed` with the box's new state whenever it changes, for as long as `context` lives.
void onToggled(QAbstractButton* box, QObject* context, std::function<void(bool)> changed);
// Runs `chosen` when the option button is turned on; the neighbour it turns off says nothing.
void onChosen(QAbstractButton* option, QObject* context, std::function<void()> chosen);
// Shows the form's state without it coming back to the form as a change.
void showChecked(QAbstractButton* button, bool on);

}  // namespace kalvora::ui
