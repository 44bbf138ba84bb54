#pragma once
// The desktop's font, colour and file dialogs, the printable fonts and the regional settings, as
// QtPlatform offers them.
#include "core/dates.h"
#include "core/print_job.h"

#include <QLocale>
#include <QString>

#include <optional>
#include <string>

class QWidget;

namespace kalvora::ui {

// The font dialog preset with `preset`; nullopt when cancelled.
std::optional<core::PrintFont> chooseFontDialog(QWidget* parent, const std::string& title,
                                                const core::PrintFont& preset);
// The colour dialog; colours are R + 256 G + 65536 B.
std::optional<long> chooseColourDialog(QWidget* parent, const std::string& title, long initial);
// An existing file, as an absolute path; `filter` lists patterns as "*.bmp; *.jpg".
std::optional<std::string> chooseFileDialog(QWidget* parent, const std::string& title,
                                            const std::string& filter, const std::string& folder);

// "*.bmp; *.jpg" as a dialog's name filter, "Immagini (*.bmp *.BMP *.jpg *.JPG)": each pattern in
// lower and upper case, since file names on this system keep the case they were given.
QString nameFilter(const std::string& filter);

// Whether an installed font family of that name (any case) can be printed: outline fonts can,
// bitmap fonts of fixed sizes cannot.
bool fontIsPrintable(const std::string& name);

// The locale's short date (years always with four digits) and numbers with thousands grouping;
// QtPlatform passes the system's regional settings.
std::string regionalDateText(const core::Date& date, const QLocale& locale = QLocale::system());
std::string regionalNumberText(double value, int decimals, const QLocale& locale = QLocale::system());

}  // namespace kalvora::ui
