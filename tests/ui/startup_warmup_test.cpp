// The start-up warm-up: font work on other threads while the main thread uses fonts too. Runs
// its own main, because the warm-up starts before the application object exists.
#include "ui/startup_warmup.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLineEdit>

#include <cstdio>

namespace {

int failures = 0;

void check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "FAIL: %s\n", what);
    ++failures;
}

}  // namespace

int main(int argc, char** argv) {
    {
        // Told nothing after being made, it still ends at once and cleanly.
        kalvora::ui::StartupWarmup unused;
    }

    kalvora::ui::StartupWarmup warmup;
    QApplication app(argc, argv);
    warmup.applicationReady();
    warmup.applicationReady();  // a second call starts nothing more

    // The main thread lays out text while the font list may still be in the making.
    QLineEdit edit;
    edit.setText(QStringLiteral("Quantità € è"));
    edit.show();
    QApplication::processEvents();
    const int width = QFontMetrics(edit.font()).horizontalAdvance(edit.text());

    warmup.finish();
    warmup.finish();  // finishing twice is harmless
    check(width > 0, "text measured while the warm-up ran");
    check(!QFontDatabase::families().isEmpty(), "the font list is made");
    check(QFontMetrics(edit.font()).horizontalAdvance(edit.text()) == width, "the same font afterwards");
    if (failures == 0) std::printf("startup warm-up: all checks passed\n");
    return failures == 0 ? 0 : 1;
}
