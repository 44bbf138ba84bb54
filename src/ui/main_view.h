#pragma once
// The main window kalxena: company and user captions at the top, the toolbar below them, the
// menus from the form's model, the status line, the notice button and the date at the bottom.
// Every user action calls the form and then reads its state back.
#include "launcher/main_form.h"

#include <QMainWindow>
#include <QMargins>
#include <QRect>

#include <map>
#include <string>

class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;
class QWidget;

namespace kalvora::ui {

class Backdrop;
class DateField;
class ElidedLabel;
class PostitLayer;
class ToolbarRow;

class MainView : public QMainWindow {
    Q_OBJECT
public:
    // The window's size with its frame, when the screen has room for it.
    static constexpr QSize outerSize{1024, 700};

    explicit MainView(launcher::MainForm& form, QWidget* parent = nullptr);
    ~MainView() override;

    launcher::MainForm& form() { return form_; }
    // Reads everything the window shows back from the form.
    void refresh();
    // Makes the entries of every menu of the bar now rather than when each first opens.
    void fillAllMenus();

signals:
    // The start-up has run (or was skipped because the program is already ending).
    void startupFinished();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void runStartup();
    void fitFrame();
    void openFirstMenu();
    void afterAction();
    void chooseMenu(const std::string& entryName);
    void refreshMenus();
    void buildMenus();
    void addEntries(QWidget* parent, const std::vector<launcher::MenuEntry>& entries);
    void applyEntries(const std::vector<launcher::MenuEntry>& entries);
    void fillMenu(QMenu* menu, const std::string& name);
    void groupMenuOpening();
    void commitDate();
    void showFormDate();

    launcher::MainForm& form_;
    bool startupScheduled_ = false;
    QRect frame_;               // where the window goes, frame included
    QMargins fittedMargins_;    // the frame the window was last fitted to

    QWidget* companyArea_ = nullptr;
    QToolButton* companyPicture_ = nullptr;  // Image2
    ElidedLabel* companyCaption_ = nullptr;  // selazienda
    ElidedLabel* yearCaption_ = nullptr;     // selazienda2
    QLabel* userPicture_ = nullptr;          // user0
    ElidedLabel* userCaption_ = nullptr;     // nuser
    QToolButton* changeUser_ = nullptr;      // user2
    ElidedLabel* status_ = nullptr;          // rete
    QToolButton* noticeButton_ = nullptr;    // oklinkbut
    ToolbarRow* toolbar_ = nullptr;          // bottoni1
    DateField* date_ = nullptr;              // datax
    QLineEdit* keyField_ = nullptr;          // text1
    Backdrop* backdrop_ = nullptr;           // Image1
    PostitLayer* postits_ = nullptr;         // postit_k, xpostit_k

    std::string menuShape_;
    std::string menuState_;
    std::map<std::string, QAction*> menuActions_;
    bool committingDate_ = false;
};

}  // namespace kalvora::ui
