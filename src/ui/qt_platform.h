#pragma once
// The desktop as the program sees it, on Qt: message boxes, modal windows, the busy pointer,
// processes, default handlers, the network. Views are found by window name in a registry.
#include "core/form.h"
#include "core/platform.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QEventLoop;
class QNetworkAccessManager;
class QWidget;

namespace kalvora::ui {

class QtPlatform : public core::Platform {
public:
    // Creates the top-level widget showing `form`, or nullptr when the form is not of the kind
    // the view expects. The view calls the form and closes itself once form.closed().
    using ViewFactory = std::function<QWidget*(core::Form& form, QWidget* parent)>;

    QtPlatform();
    ~QtPlatform() override;

    void registerView(const std::string& windowName, ViewFactory factory);
    bool hasView(const std::string& windowName) const;
    // nullptr when no view is registered for the form's name.
    QWidget* createView(core::Form& form, QWidget* parent = nullptr);

    void message(const std::string& text, const std::string& title, core::Icon icon) override;
    bool askYesNo(const std::string& text, const std::string& title,
                  core::Icon icon = core::Icon::Question) override;
    void showModal(core::Form& form) override;
    void processEvents() override;
    void setBusy(bool busy) override;
    core::ScreenSize screenSize() const override;
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

    // Largest download accepted; anything bigger is treated as a failure.
    static constexpr long long downloadLimit = 16LL << 20;

private:
    QWidget* dialogParent() const;
    // Runs `loop` so that quit() can end it even when no application loop is running.
    int runLoop(QEventLoop& loop);

    std::map<std::string, ViewFactory> factories_;
    std::unique_ptr<QNetworkAccessManager> network_;
    std::vector<QEventLoop*> loops_;
    int busyDepth_ = 0;
    bool quitRequested_ = false;
};

}  // namespace kalvora::ui
