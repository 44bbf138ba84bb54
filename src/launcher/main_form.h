#pragma once
// The main window kalxena: the start-up sequence, the captions and status line it shows, its
// menus, and the shutdown.
#include "core/form.h"
#include "core/product.h"
#include "core/session.h"
#include "launcher/background.h"
#include "launcher/menu.h"
#include "launcher/postit_notes.h"
#include "launcher/toolbar.h"

#include <functional>
#include <string>
#include <vector>

namespace kalvora::launcher {

using core::productName;
using core::version;
constexpr const char* unidentifiedUser = " 00 Utente non identificato";

// The status line colour.
enum class StatusColour { Black, Red };

class MainForm : public core::Form {
public:
    explicit MainForm(core::Session& session);

    std::string name() const override { return "kalxena"; }
    std::string title() const override;

    // Runs the start-up, from the background to the post-its. The view calls it once, right
    // after showing the window.
    void startup();
    bool started() const { return started_; }

    // The background as read from kalvora.bgr; the view shows it.
    const Background& background() const { return background_; }
    // Reads kalvora.bgr again (first thing at start-up and after zelbgr saves) and shows it.
    void showBackground();

    // What the window shows.
    const std::string& status() const { return status_; }
    StatusColour statusColour() const { return statusColour_; }
    bool noticeButtonVisible() const { return noticeButtonVisible_; }
    bool companyAreaVisible() const { return companyAreaVisible_; }
    std::string companyCaption() const;
    std::string yearCaption() const;
    std::string userCaption() const;
    bool userPictureVisible() const;
    std::string dateText() const;  // datax, dd/mm/yyyy
    const std::vector<MenuEntry>& menus() const { return menus_; }
    const Toolbar& toolbar() const { return toolbar_; }
    // The post-it notes on the window; the view moves and edits them through it.
    PostitNotes& postits() { return postits_; }
    const PostitNotes& postits() const { return postits_; }

    // User actions.
    void chooseMenu(const std::string& entryName);
    void finishWork();   // "Fine lavoro" (o_fin) and the toolbar's "*fine"
    void closeBox();     // the window's close box: ends at once, no questions
    void noticeClicked();
    void changeUser();   // user2: log in again and rebuild the menus for the new user
    void toolbarClicked(int button);  // bottoni1, buttons 1..30
    void companyPictureClicked();     // Image2: company selection
    void companyCommand(int item);    // "Aziende" items 1..6
    // datax: the user picked another working date; the computer's date follows it.
    void setDate(const core::Date& date);

    // True once the process must end; the platform has been told to quit.
    bool exiting() const { return closed(); }

    // Called whenever what the window shows changed during long work, so the view can repaint
    // before events run.
    std::function<void()> changed;

private:
    void setStatus(const std::string& text);
    bool login();  // false when the login ended the program
    bool entryEnabled(const std::string& entryName) const;
    void replaceAssistanceProgram();
    void selectFirstCompany();
    void showNotice();
    void closeStartedModules();
    void exitProgram();

    std::string status_;
    StatusColour statusColour_ = StatusColour::Black;
    bool noticeButtonVisible_ = false;
    bool companyAreaVisible_ = false;
    bool started_ = false;
    std::vector<MenuEntry> menus_;
    Toolbar toolbar_;
    PostitNotes postits_{session()};
    Background background_;
};

}  // namespace kalvora::launcher
