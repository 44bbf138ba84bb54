#pragma once
// The program keeps text as UTF-8 std::string; Qt wants QString.
#include "core/text.h"

#include <QString>

#include <string>

namespace kalvora::ui {

inline QString toQt(const std::string& s) { return QString::fromStdString(s); }
inline std::string fromQt(const QString& s) { return s.toStdString(); }

// What a one-line field may hold (the program's one rule for one-line values).
inline QString singleLine(const QString& s) { return toQt(core::singleLine(fromQt(s))); }

}  // namespace kalvora::ui
