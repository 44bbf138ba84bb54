#pragma once
// The program keeps text as UTF-8 std::string; Qt wants QString.
#include <QString>

#include <string>

namespace kalvora::ui {

inline QString toQt(const std::string& s) { return QString::fromStdString(s); }
inline std::string fromQt(const QString& s) { return s.toStdString(); }

// What a one-line field may hold: pasted line breaks, tabs and other control characters
// become blanks, so a typed value can never split a line of a text file.
inline QString singleLine(QString s) {
    for (QChar& c : s)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    return s;
}

}  // namespace kalvora::ui
