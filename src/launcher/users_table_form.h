#pragma once
// The users table window zelstpwd: names and plain-text passwords of the 99 users, 18 at a
// time, for the administrator (or anyone while the password system is off).
#include "core/form.h"
#include "core/session.h"
#include "launcher/users_file.h"

#include <array>
#include <string>

namespace kalvora::launcher {

// What one visible row shows.
struct UserRow {
    int user = 0;  // 1..99, 0 for a row outside the grid
    std::string name;
    std::string password;  // plain text
};

class UsersTableForm : public core::Form {
public:
    static constexpr int visibleRows = 18;
    static constexpr int lastFirstEntry = userCount - visibleRows + 1;
    static constexpr int nameColumn = 0;      // text1
    static constexpr int passwordColumn = 1;  // sc4
    static constexpr const char* frameText = "Tabella degli utenti e relative password di accesso";
    static constexpr const char* disableQuestion =
        "Disattivando il sistema di password di protezione qualsiasi operatore del PC potrà utilizzare il "
        "programma Kalvora senza alcun controllo. Confermi la disattivazione del sistema di protezione degli "
        "accessi e quindi la cancellazione della tabella degli utenti?";

    explicit UsersTableForm(core::Session& session);

    std::string name() const override { return "zelstpwd"; }
    std::string title() const override { return "Tabella utenti"; }

    // Reads the users file, or takes the default table when it cannot be read.
    void open();
    // True when the file could not be read and the default table is shown.
    bool defaultTable() const { return default_; }

    // The page selector selpag: the user shown in the first row, 1..lastFirstEntry.
    int firstEntry() const { return first_; }
    void scrollTo(int firstEntry);

    // Row r, 1..visibleRows.
    UserRow row(int r) const;
    void editName(int r, std::string text);
    void editPassword(int r, std::string text);

    // While the view fills its fields from the rows, the change events it raises write nothing.
    void setLoading(bool loading) { loading_ = loading; }
    bool loading() const { return loading_; }

    int focusedRow() const { return focusRow_; }
    int focusedColumn() const { return focusColumn_; }
    void setFocus(int r, int column);
    // Enter: name -> password of the same row -> name of the next row; from the last row the
    // page selector steps on and the focus stays in the last row.
    void enterPressed(int r, int column);

    void confirm();  // bottone 1
    void disable();  // turns the password system off by deleting the users file
    void cancel();   // bottone 0

private:
    int userAt(int r) const;
    void showUser(int user, int column);

    UsersTable table_{};  // passwords in plain text
    // The passwords as read, and whether each was edited: one nobody touched is written back
    // as read, so a stored form that does not scramble back the same is never lost.
    std::array<std::string, userCount + 1> stored_{};
    std::array<bool, userCount + 1> edited_{};
    bool default_ = false;
    bool loading_ = false;
    int first_ = 1;
    int focusRow_ = 1;
    int focusColumn_ = nameColumn;
};

}  // namespace kalvora::launcher
