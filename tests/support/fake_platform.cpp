#include "support/fake_platform.h"

#include <algorithm>
#include <stdexcept>

namespace kalvora::testing {

std::vector<Shown> FakePlatform::messages() const {
    std::vector<Shown> out;
    std::copy_if(shown.begin(), shown.end(), std::back_inserter(out),
                 [](const Shown& s) { return s.kind == Shown::Kind::Message; });
    return out;
}

std::vector<Shown> FakePlatform::questions() const {
    std::vector<Shown> out;
    std::copy_if(shown.begin(), shown.end(), std::back_inserter(out),
                 [](const Shown& s) { return s.kind == Shown::Kind::Question; });
    return out;
}

void FakePlatform::message(const std::string& text, const std::string& title, core::Icon icon) {
    shown.push_back({Shown::Kind::Message, text, title, icon, false});
}

bool FakePlatform::askYesNo(const std::string& text, const std::string& title, core::Icon icon) {
    bool a = defaultAnswer;
    if (!answers.empty()) {
        a = answers.front();
        answers.pop_front();
    }
    shown.push_back({Shown::Kind::Question, text, title, icon, a});
    return a;
}

void FakePlatform::showModal(core::Form& form) {
    modalsOpened.push_back(form.name());
    auto it = modalHandlers.find(form.name());
    if (it == modalHandlers.end())
        throw std::logic_error("no scripted user for modal window " + form.name());
    it->second(form);
    if (!form.closed())
        throw std::logic_error("scripted user left modal window " + form.name() + " open");
}

int FakePlatform::startProgram(const std::string& program, const std::vector<std::string>& arguments,
                               const std::string& windowTitle) {
    started.push_back({program, arguments, windowTitle});
    return startResult;
}

std::string FakePlatform::desktopProgram(core::DesktopTool tool) {
    auto it = desktopPrograms.find(tool);
    return it == desktopPrograms.end() ? std::string() : it->second;
}

int FakePlatform::openDocument(const std::string& target) {
    documentsOpened.push_back(target);
    return openResult;
}

bool FakePlatform::bringToFront(const std::string& title) {
    broughtToFront.push_back(title);
    return std::find(windowsOpen.begin(), windowsOpen.end(), title) != windowsOpen.end();
}

int FakePlatform::setSystemDate(const core::Date& date) {
    datesSet.push_back(date);
    return setDateResult;
}

std::optional<std::string> FakePlatform::download(const std::string& address, int) {
    downloadsRequested.push_back(address);
    auto it = downloads.find(address);
    if (it == downloads.end()) return std::nullopt;
    return it->second;
}

}  // namespace kalvora::testing
