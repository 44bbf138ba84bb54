#include "ui/platform/print_dialogs.h"

#include "ui/platform/print_surface.h"
#include "ui/qt_text.h"

#include <QColorDialog>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontDialog>
#include <QImageReader>

#include <map>

namespace kalvora::ui {

std::optional<core::PrintFont> chooseFontDialog(QWidget* parent, const std::string& title,
                                                const core::PrintFont& preset) {
    QFont initial(toQt(preset.name));
    initial.setPointSizeF(preset.size > 0 ? preset.size : 9);
    initial.setBold(preset.bold);
    initial.setItalic(preset.italic);
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, parent, toQt(title));
    if (!ok) return std::nullopt;
    core::PrintFont chosen;
    chosen.name = fromQt(font.family());
    chosen.size = font.pointSizeF();
    chosen.bold = font.bold();
    chosen.italic = font.italic();
    return chosen;
}

std::optional<long> chooseColourDialog(QWidget* parent, const std::string& title, long initial) {
    const QColor colour = QColorDialog::getColor(toQColor(initial), parent, toQt(title));
    if (!colour.isValid()) return std::nullopt;
    return fromQColor(colour);
}

QString nameFilter(const std::string& filter) {
    QStringList patterns;
    bool pictures = false;
    const QList<QByteArray> imageFormats = QImageReader::supportedImageFormats();
    for (const QString& part : toQt(filter).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString pattern = part.trimmed();
        if (pattern.isEmpty()) continue;
        for (const QString& variant : {pattern.toLower(), pattern.toUpper()})
            if (!patterns.contains(variant)) patterns << variant;
        const QString suffix = QFileInfo(pattern).suffix().toLower();
        if (imageFormats.contains(suffix.toLatin1())) pictures = true;
    }
    if (patterns.isEmpty()) patterns << QStringLiteral("*");
    return (pictures ? QStringLiteral("Immagini (") : QStringLiteral("File (")) + patterns.join(QLatin1Char(' ')) +
           QLatin1Char(')');
}

std::optional<std::string> chooseFileDialog(QWidget* parent, const std::string& title,
                                            const std::string& filter, const std::string& folder) {
    const QString start = folder.empty() || !QFileInfo(toQt(folder)).isDir() ? QDir::homePath() : toQt(folder);
    // Qt's own dialog, so the patterns in both cases apply the same on every desktop.
    const QString path = QFileDialog::getOpenFileName(parent, toQt(title), start, nameFilter(filter), nullptr,
                                                      QFileDialog::DontUseNativeDialog);
    if (path.isEmpty()) return std::nullopt;
    return fromQt(QFileInfo(path).absoluteFilePath());
}

bool fontIsPrintable(const std::string& name) {
    // The installed fonts are listed once a run: the question comes for every text of a layout.
    static const std::map<QString, bool> families = [] {
        std::map<QString, bool> found;
        for (const QString& family : QFontDatabase::families()) {
            bool& printable = found[family.toCaseFolded()];
            printable = printable || QFontDatabase::isScalable(family);
        }
        return found;
    }();
    const auto it = families.find(toQt(name).trimmed().toCaseFolded());
    return it != families.end() && it->second;
}

std::string regionalDateText(const core::Date& date, const QLocale& locale) {
    QString format = locale.dateFormat(QLocale::ShortFormat);
    // Dates on paper and in other programs' files carry the whole year.
    if (!format.contains(QLatin1String("yyyy"))) format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return fromQt(locale.toString(QDate(date.year, date.month, date.day), format));
}

std::string regionalNumberText(double value, int decimals, const QLocale& locale) {
    QLocale grouped = locale;
    grouped.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return fromQt(grouped.toString(value, 'f', decimals));
}

}  // namespace kalvora::ui
