#pragma once
// A platform for the fuzz targets and the benchmarks: shows nothing, answers every question with a
// fixed answer and counts what it is asked.
#include "core/form.h"
#include "core/platform.h"

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kalvora::testing {

class QuietPlatform : public core::Platform {
public:
    bool answer = false;
    int messages = 0;
    int questions = 0;
    bool quitCalled = false;

    void message(const std::string&, const std::string&, core::Icon) override { ++messages; }
    bool askYesNo(const std::string&, const std::string&, core::Icon) override {
        ++questions;
        return answer;
    }
    // The work under test opens no windows.
    void showModal(core::Form&) override { std::abort(); }
    void show(std::unique_ptr<core::Form>) override { std::abort(); }
    int setSystemDate(const core::Date&) override { return 1; }
    void printerSetup() override {}
    std::unique_ptr<core::PrintJob> startPrintJob(const std::string&) override {
        return std::make_unique<core::RecordingPrintJob>();
    }
    bool canPrintFont(const std::string&) override { return true; }
    std::optional<core::PrintFont> chooseFont(const std::string&, const core::PrintFont&) override {
        return std::nullopt;
    }
    std::optional<long> chooseColour(const std::string&, long) override { return std::nullopt; }
    std::optional<std::string> chooseFile(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::string regionalDate(const core::Date&) override { return "31/12/2014"; }
    std::string regionalNumber(double, int) override { return {}; }
    void processEvents() override {}
    void setBusy(bool) override {}
    core::ScreenSize screenSize() const override { return {}; }
    int startProgram(const std::string&, const std::vector<std::string>&, const std::string&) override { return 1; }
    std::string desktopProgram(core::DesktopTool) override { return {}; }
    int openDocument(const std::string&) override { return 2; }
    bool bringToFront(const std::string&) override { return false; }
    void closeFrontWindow() override {}
    bool isOnline() override { return false; }
    std::optional<std::string> download(const std::string&, int) override { return std::nullopt; }
    void quit() override { quitCalled = true; }
};

}  // namespace kalvora::testing
