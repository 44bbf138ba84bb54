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
