// Stands in for one of the suite's module programs in the end-to-end tests. Installed under a
// module's program name, it takes its window title from the catalogue entry of that program,
// appends the arguments it received (one a line) to "<its own path>.args", shows its window and
// ends when the window is asked to close.
#include "core/module_catalogue.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>

namespace {

// The catalogue title of the program `name`, whatever its case; empty when there is none.
QString titleOf(const QString& name) {
    for (const auto& module : kalvora::core::moduleCatalogue) {
        const QString program = QString::fromUtf8(module.program.data(), static_cast<qsizetype>(module.program.size()));
        if (!program.isEmpty() && program.compare(name, Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(module.title.data(), static_cast<qsizetype>(module.title.size()));
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    // "KALEMF.EXE" is the program kalemf.
    const QString program = QFileInfo(self).baseName();
    const QString title = titleOf(program);
    if (title.isEmpty()) {
        std::fprintf(stderr, "%s is not a module of the catalogue\n", qPrintable(program));
        return 2;
    }

    QFile record(self + QStringLiteral(".args"));
    if (!record.open(QIODevice::WriteOnly | QIODevice::Append)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(record.fileName()));
        return 3;
    }
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    for (const QString& a : arguments) record.write(a.toUtf8() + '\n');
    record.close();

    QWidget window;
    window.setWindowTitle(title);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(title + QStringLiteral("\n") + arguments.join(QLatin1Char(' ')), &window));
    window.resize(420, 160);
    window.show();
    return app.exec();
}
