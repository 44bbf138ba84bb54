#pragma once
// Small pieces the one-line-box table windows (banks, carriers, causals) share.
#include "ui/qt_text.h"

#include <QLineEdit>

#include <string>

namespace kalvora::ui {

// A box named `name` holding at most `maxLength` characters (0: no limit).
inline QLineEdit* tableBox(QWidget* parent, const QString& name, int maxLength = 0, int width = 0) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    if (maxLength > 0) box->setMaxLength(maxLength);
    if (width > 0) box->setFixedWidth(width);
    return box;
}

// Sets a box's text only when it differs, so typing is never disturbed.
inline void showBoxText(QLineEdit* box, const std::string& text) {
    const QString t = toQt(text);
    if (box->text() != t) box->setText(t);
}

// A pasted text loses its line breaks in the box as in the form.
inline QString cleanedBoxText(QLineEdit* box, const QString& text) {
    const QString clean = singleLine(text);
    if (clean != text) {
        const int cursor = box->cursorPosition();
        box->setText(clean);
        box->setCursorPosition(cursor);
    }
    return clean;
}

}  // namespace kalvora::ui
