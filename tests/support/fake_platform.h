#pragma once
// A Platform for tests: records every message, question and call, answers questions from a
// script, and plays the user on modal forms through handlers registered by window name.
#include "core/dates.h"
#include "core/form.h"
#include "core/platform.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kalvora::testing {

struct Shown {
    enum class Kind { Message, Question } kind;
    std::string text;
    std::string title;
    core::Icon icon;
    bool answer = false;  // for questions
};

class FakePlatform : public core::Platform {
public:
    // Answers given to askYesNo in order; when none is left the answer is `defaultAnswer`.
    std::deque<bool> answers;
    bool defaultAnswer = false;
    std::vector<Shown> shown;

    // Plays the user on a modal form: called with the form, must leave it closed (or the
    // fake closes nothing and fails the test by throwing).
    std::map<std::string, std::function<void(core::Form&)>> modalHandlers;
    std::vector<std::string> modalsOpened;
    // Forms opened beside the main window, kept as the platform would keep them.
    std::vector<std::unique_ptr<core::Form>> windowsShown;
    std::vector<core::Date> datesSet;
    int setDateResult = 0;
    int printerSetups = 0;

    // Print jobs started, in order, each with its title and operations; `printResult` is what
    // end() reports.
    struct PrintedJob {
        std::string title;
        std::vector<core::PrintOp> ops;
        bool ended = false;
    };
    std::vector<PrintedJob> printJobs;
    bool printResult = true;
    // Pictures that load; any other path fails like an unreadable file.
    std::vector<std::string> loadablePictures;
    // Fonts the printer cannot use.
    std::vector<std::string> unprintableFonts;
    std::vector<std::string> fontsTried;
    // Answers of the font, colour and file dialogs in order; an empty queue cancels. The titles
    // and presets asked are recorded.
    std::deque<core::PrintFont> fontAnswers;
    std::deque<long> colourAnswers;
    std::deque<std::string> fileAnswers;
    std::vector<std::string> dialogTitles;
    std::vector<core::PrintFont> fontPresets;
    std::vector<std::string> fileFilters;
    // What the system's regional settings give.
    std::string regionalDateText = "31/12/2014";
    std::string regionalNumberText = "1.234,50";

    struct Started {
        std::string program;
        std::vector<std::string> arguments;
        std::string title;
    };
    std::vector<Started> started;
    int startResult = 0;
    std::map<core::DesktopTool, std::string> desktopPrograms;
    std::vector<std::string> documentsOpened;
    int openResult = 42;
    std::vector<std::string> windowsOpen;   // titles bringToFront can find
    std::vector<std::string> broughtToFront;
    int closeRequests = 0;

    bool online = false;
    // Address -> content served by download(); anything else fails.
    std::map<std::string, std::string> downloads;
    std::vector<std::string> downloadsRequested;

    int busyCalls = 0;
    bool busy = false;
    int eventsProcessed = 0;
    bool quitCalled = false;
    core::ScreenSize screen{};

    // Messages only (not questions), in order.
    std::vector<Shown> messages() const;
    std::vector<Shown> questions() const;
    const Shown* last() const { return shown.empty() ? nullptr : &shown.back(); }

    void message(const std::string& text, const std::string& title, core::Icon icon) override;
    bool askYesNo(const std::string& text, const std::string& title, core::Icon icon) override;
    void showModal(core::Form& form) override;
    void show(std::unique_ptr<core::Form> form) override { windowsShown.push_back(std::move(form)); }
    int setSystemDate(const core::Date& date) override;
    void printerSetup() override { ++printerSetups; }
    std::unique_ptr<core::PrintJob> startPrintJob(const std::string& title) override;
    bool canPrintFont(const std::string& name) override;
    std::optional<core::PrintFont> chooseFont(const std::string& title, const core::PrintFont& preset) override;
    std::optional<long> chooseColour(const std::string& title, long initial) override;
    std::optional<std::string> chooseFile(const std::string& title, const std::string& filter,
                                          const std::string& folder) override;
    std::string regionalDate(const core::Date&) override { return regionalDateText; }
    std::string regionalNumber(double, int) override { return regionalNumberText; }
    void processEvents() override { ++eventsProcessed; }
    void setBusy(bool b) override { busy = b; ++busyCalls; }
    core::ScreenSize screenSize() const override { return screen; }
    int startProgram(const std::string& program, const std::vector<std::string>& arguments,
                     const std::string& windowTitle) override;
    std::string desktopProgram(core::DesktopTool tool) override;
    int openDocument(const std::string& target) override;
    bool bringToFront(const std::string& title) override;
    void closeFrontWindow() override { ++closeRequests; }
    bool isOnline() override { return online; }
    std::optional<std::string> download(const std::string& address, int timeoutMs) override;
    void quit() override { quitCalled = true; }
};

}  // namespace kalvora::testing
