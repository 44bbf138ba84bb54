#pragma once
// The desktop as the program sees it, on Qt: message boxes, modal windows, the busy pointer,
// processes, default handlers, the network. Views are found by their form's type in a registry.
#include "core/form.h"
#include "core/platform.h"
#include "ui/x11_windows.h"

#include <QPointer>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <typeindex>
#include <typeinfo>
#include <vector>

class QEventLoop;
class QWidget;

namespace kalvora::ui {

class NetworkAccess;

class QtPlatform : public core::Platform {
public:
    QtPlatform();
    ~QtPlatform() override;

    // Forms of type F are shown by view V, made as V(form, parent). The view calls the form and
    // closes itself once form.closed().
    template <typename F, typename V>
    void registerView() {
        registerView<F>([](F& form, QWidget* parent) -> QWidget* { return new V(form, parent); });
    }
    // Forms of type F are shown by the widget `make` returns.
    template <typename F>
    void registerView(std::function<QWidget*(F& form, QWidget* parent)> make) {
        factories_[std::type_index(typeid(F))] = [make = std::move(make)](core::Form& form, QWidget* parent) {
            return make(static_cast<F&>(form), parent);
        };
    }
    bool hasView(const core::Form& form) const;
    // The view of the form's own type. A form without one is a fault of the program: it is
    // reported as critical (fatal under QT_FATAL_CRITICALS, as the tests run) and gives nullptr.
    QWidget* createView(core::Form& form, QWidget* parent = nullptr);

    void message(const std::string& text, const std::string& title, core::Icon icon) override;
    bool askYesNo(const std::string& text, const std::string& title,
                  core::Icon icon = core::Icon::Question) override;
    void showModal(core::Form& form) override;
    void processEvents() override;
    void setBusy(bool busy) override;
    core::ScreenSize screenSize() const override;
    // A window of that name already open comes to the front instead, and `form` is dropped.
    void show(std::unique_ptr<core::Form> form) override;
    int setSystemDate(const core::Date& date) override;
    void printerSetup() override;
    // A job for the printer chosen in printerSetup (the system's default until then), or for a
    // PDF file when the system has no printer.
    std::unique_ptr<core::PrintJob> startPrintJob(const std::string& title) override;
    bool canPrintFont(const std::string& name) override;
    std::optional<core::PrintFont> chooseFont(const std::string& title, const core::PrintFont& preset) override;
    std::optional<long> chooseColour(const std::string& title, long initial) override;
    std::optional<std::string> chooseFile(const std::string& title, const std::string& filter,
                                          const std::string& folder) override;
    std::string regionalDate(const core::Date& date) override;
    std::string regionalNumber(double value, int decimals) override;
    // The printer jobs go to: the one chosen in printerSetup while it is installed, else the
    // system's default, else the first installed; empty when there is none.
    QString printerName() const;
    int startProgram(const std::string& program, const std::vector<std::string>& arguments,
                     const std::string& windowTitle) override;
    std::string desktopProgram(core::DesktopTool tool) override;
    int openDocument(const std::string& target) override;
    bool bringToFront(const std::string& title) override;
    void closeFrontWindow() override;
    bool isOnline() override;
    std::optional<std::string> download(const std::string& address, int timeoutMs) override;
    void quit() override;

    bool quitRequested() const { return quitRequested_; }
    int busyDepth() const { return busyDepth_; }

    // Other programs' windows on the X11 display; nullptr where there is none (offscreen,
    // Wayland without XWayland), and then only the programs started here can be told apart.
    X11Windows* x11();

    // Largest download accepted; anything bigger is treated as a failure.
    static constexpr long long downloadLimit = 16LL << 20;

private:
    QWidget* dialogParent() const;
    // Runs `loop` so that quit() can end it even when no application loop is running.
    int runLoop(QEventLoop& loop);

    // A program started with the title its window will carry, so that it is known to be open
    // even where its window cannot be seen.
    struct StartedProgram {
        std::string title;
        qint64 pid = 0;
        std::optional<quint64> startTime;  // tells the process from a later one given its number
    };
    // What bringToFront found, and so what closeFrontWindow closes.
    struct FrontWindow {
        enum class Kind { None, X11, Widget, Process } kind = Kind::None;
        std::string title;
        X11Window window = 0;
        QPointer<QWidget> widget;
        StartedProgram program;
    };

    std::vector<X11Window> ownWindows() const;
    static bool isRunning(const StartedProgram& program);
    std::optional<StartedProgram> runningProgram(const std::string& title) const;

    using ViewFactory = std::function<QWidget*(core::Form& form, QWidget* parent)>;
    std::map<std::type_index, ViewFactory> factories_;
    // Windows opened beside the main window, by window name.
    std::vector<std::pair<std::string, QPointer<QWidget>>> sideWindows_;
    std::vector<StartedProgram> started_;
    FrontWindow front_;
    std::unique_ptr<X11Windows> x11_;
    bool x11Tried_ = false;
    std::unique_ptr<NetworkAccess> network_;
    bool networkTried_ = false;
    std::vector<QEventLoop*> loops_;
    int busyDepth_ = 0;
    bool quitRequested_ = false;
    QString chosenPrinter_;  // chosen in printerSetup, for this run
};

}  // namespace kalvora::ui
