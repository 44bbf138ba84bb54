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
    if (it == modalHandlers.end()) throw std::logic_error("no scripted user for modal window " + form.name());
    it->second(form);
    if (!form.closed()) throw std::logic_error("scripted user left modal window " + form.name() + " open");
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

namespace {

// Records into the platform's list as it draws, so a test sees a job that was never ended too.
class FakePrintJob : public core::RecordingPrintJob {
public:
    FakePrintJob(FakePlatform& platform, std::size_t index) : platform_(platform), index_(index) {}
    void text(double x, double y, const std::string& t, const core::PrintFont& f, long c) override {
        RecordingPrintJob::text(x, y, t, f, c);
        sync();
    }
    void line(double x1, double y1, double x2, double y2, long c, double w) override {
        RecordingPrintJob::line(x1, y1, x2, y2, c, w);
        sync();
    }
    void rectangle(double x1, double y1, double x2, double y2, long c, bool filled, double w) override {
        RecordingPrintJob::rectangle(x1, y1, x2, y2, c, filled, w);
        sync();
    }
    bool picture(double x, double y, const std::string& path) override {
        bool drawn = RecordingPrintJob::picture(x, y, path);
        sync();
        return drawn;
    }
    void newPage() override {
        RecordingPrintJob::newPage();
        sync();
    }

protected:
    bool canLoadPicture(const std::string& path) override {
        const auto& ok = platform_.loadablePictures;
        return std::find(ok.begin(), ok.end(), path) != ok.end();
    }
    bool deliver(const std::vector<core::PrintOp>& ops) override {
        auto& job = platform_.printJobs.at(index_);
        job.ops = ops;
        job.ended = true;
        return platform_.printResult;
    }

private:
    void sync() { platform_.printJobs.at(index_).ops = ops(); }
    FakePlatform& platform_;
    std::size_t index_;
};

template <typename T>
std::optional<T> takeFront(std::deque<T>& queue) {
    if (queue.empty()) return std::nullopt;
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}

}  // namespace

std::unique_ptr<core::PrintJob> FakePlatform::startPrintJob(const std::string& title) {
    printJobs.push_back(PrintedJob{title, {}, false});
    return std::make_unique<FakePrintJob>(*this, printJobs.size() - 1);
}

bool FakePlatform::canPrintFont(const std::string& name) {
    fontsTried.push_back(name);
    return std::find(unprintableFonts.begin(), unprintableFonts.end(), name) == unprintableFonts.end();
}

std::optional<core::PrintFont> FakePlatform::chooseFont(const std::string& title, const core::PrintFont& preset) {
    dialogTitles.push_back(title);
    fontPresets.push_back(preset);
    return takeFront(fontAnswers);
}

std::optional<long> FakePlatform::chooseColour(const std::string& title, long) {
    dialogTitles.push_back(title);
    return takeFront(colourAnswers);
}

std::optional<std::string> FakePlatform::chooseFile(const std::string& title, const std::string& filter,
                                                    const std::string&) {
    dialogTitles.push_back(title);
    fileFilters.push_back(filter);
    return takeFront(fileAnswers);
}

}  // namespace kalvora::testing
