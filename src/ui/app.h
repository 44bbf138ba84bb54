#pragma once
// The program: the Qt application, the session and the main window.
class QCoreApplication;

namespace kalvora::ui {

struct AppOptions {
    // Ends the program as soon as the start-up has run and pending events are done, without
    // output, passing the greeting of an installation without users; used to measure how long
    // starting takes.
    bool quitWhenIdle = false;
};

int runApplication(int argc, char** argv, const AppOptions& options = {});

// Loads Qt's own Italian texts ("Sì", "No", "Annulla" ...) and makes Italian the default
// locale for calendars and date fields. False when the translation file is not installed.
bool installItalianTranslations(QCoreApplication& app);

}  // namespace kalvora::ui
