#include "ui/app.h"

#include "core/clock.h"
#include "core/files.h"
#include "core/paths.h"
#include "core/session.h"
#include "launcher/login_form.h"
#include "launcher/main_form.h"
#include "ui/app_style.h"
#include "ui/icons.h"
#include "ui/main_view.h"
#include "ui/qt_platform.h"
#include "ui/startup_warmup.h"
#include "ui/views.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include <memory>

namespace kalvora::ui {

bool installItalianTranslations(QCoreApplication& app) {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_it"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

int runApplication(int argc, char** argv, const AppOptions& options) {
    StartupWarmup warmup;
    QApplication app(argc, argv);
    warmup.applicationReady();
    // Whatever happens below, the warm-up ends before the application object goes.
    struct FinishFirst {
        StartupWarmup& warmup;
        ~FinishFirst() { warmup.finish(); }
    } finishFirst{warmup};
    QApplication::setApplicationName(QStringLiteral("kalxena"));
    QApplication::setStyle(new AppStyle);
    // Every text the program shows comes from Windows-1252 files or from Italian, all of it in
    // any Latin font: without merging, the first text drawn does not make fontconfig sort every
    // installed font for fallbacks, which would cost each start a few milliseconds.
    QFont font = QApplication::font();
    font.setStyleStrategy(QFont::NoFontMerging);
    QApplication::setFont(font);
    QApplication::setWindowIcon(icons::application());
    icons::useInstalledIconTheme();
    installItalianTranslations(app);

    core::SystemClock clock;
    core::Files files;
    QtPlatform platform;
    registerViews(platform);
    core::Session session(core::Installation::fromEnvironment(), platform, clock, files);
    launcher::MainForm form(session);

    std::unique_ptr<QWidget> window(platform.createView(form));
    warmup.finish();
    if (!window) return 1;
    if (options.quitWhenIdle) {
        // Nobody sits at the keyboard: the greeting of an installation without users is answered
        // as its "Continua" would be. A password login still waits, as it must.
        platform.registerView<launcher::LoginForm>([](launcher::LoginForm& login, QWidget* parent) -> QWidget* {
            if (login.informationMode()) login.continuePressed();
            return new QWidget(parent);
        });
        if (auto* view = qobject_cast<MainView*>(window.get()))
            QObject::connect(view, &MainView::startupFinished, &app,
                             [] { QTimer::singleShot(0, [] { QCoreApplication::exit(0); }); });
    }
    window->show();
    return app.exec();
}

}  // namespace kalvora::ui
