#include "ui/check_buttons.h"

#include <QAbstractButton>
#include <QSignalBlocker>

namespace kalvora::ui {

void onToggled(QAbstractButton* box, QObject* context, std::function<void(bool)> changed) {
    QObject::connect(box, &QAbstractButton::toggled, context, std::move(changed));
}

void onChosen(QAbstractButton* option, QObject* context, std::function<void()> chosen) {
    QObject::connect(option, &QAbstractButton::toggled, context, [chosen = std::move(chosen)](bool on) {
        if (on) chosen();
    });
}

void showChecked(QAbstractButton* button, bool on) {
    const QSignalBlocker quiet(button);
    button->setChecked(on);
}

}  // namespace kalvora::ui
