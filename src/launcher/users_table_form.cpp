#include "launcher/users_table_form.h"

#include "core/cp1252.h"
#include "core/text.h"

#include <algorithm>

namespace kalvora::launcher {

UsersTableForm::UsersTableForm(core::Session& session) : core::Form(session) {}

void UsersTableForm::open() {
    auto& s = session();
    reopen();
    loading_ = true;
    stored_ = {};
    edited_ = {};
    const auto read = readUsers(s.files(), s.installation());
    default_ = !read;
    table_ = read ? *read : defaultUsers();
    if (read) {
        for (int u = 1; u <= userCount; ++u) {
            stored_[u] = table_[u].password;
            table_[u].password = core::trim(unscramble(stored_[u]));
        }
    }
    first_ = 1;
    focusRow_ = 1;
    focusColumn_ = nameColumn;
    loading_ = false;
}

void UsersTableForm::scrollTo(int firstEntry) { first_ = std::clamp(firstEntry, 1, lastFirstEntry); }

int UsersTableForm::userAt(int r) const {
    return r >= 1 && r <= visibleRows ? first_ + r - 1 : 0;
}

UserRow UsersTableForm::row(int r) const {
    const int u = userAt(r);
    if (u == 0) return {};
    return {u, table_[u].name, table_[u].password};
}

void UsersTableForm::editName(int r, std::string text) {
    const int u = userAt(r);
    if (loading_ || u == 0) return;
    table_[u].name = core::singleLine(text);
}

void UsersTableForm::editPassword(int r, std::string text) {
    const int u = userAt(r);
    if (loading_ || u == 0) return;
    text = core::singleLine(text);
    if (text == table_[u].password) return;
    table_[u].password = std::move(text);
    edited_[u] = true;
}

void UsersTableForm::setFocus(int r, int column) {
    if (r < 1 || r > visibleRows || (column != nameColumn && column != passwordColumn)) return;
    focusRow_ = r;
    focusColumn_ = column;
}

void UsersTableForm::enterPressed(int r, int column) {
    if (r < 1 || r > visibleRows) return;
    if (column == nameColumn) {
        setFocus(r, passwordColumn);
    } else if (column == passwordColumn) {
        if (r < visibleRows) {
            setFocus(r + 1, nameColumn);
        } else if (first_ < lastFirstEntry) {
            scrollTo(first_ + 1);
            setFocus(r, nameColumn);
        } else {
            setFocus(r, passwordColumn);
        }
    }
}

// Scrolls so that `user` is visible (in the first row when the grid must move) and focuses it.
void UsersTableForm::showUser(int user, int column) {
    if (user < first_ || user >= first_ + visibleRows) scrollTo(user);
    setFocus(user - first_ + 1, column);
}

void UsersTableForm::confirm() {
    if (closed()) return;
    auto& s = session();
    auto& platform = s.platform();
    if (core::trim(table_[1].password).empty()) {
        platform.message("Non è possibile eliminare la password dell'amministratore!", "Attenzione",
                         core::Icon::Critical);
        scrollTo(1);
        setFocus(1, passwordColumn);
        return;
    }
    UsersTable out = table_;
    for (int u = 1; u <= userCount; ++u) {
        // Names outside Windows-1252 would reach the file as '?'.
        if (u > 1 && !core::fitsCp1252(out[u].name)) {
            platform.message("Il nome dell'utente " + std::to_string(u) + " contiene caratteri non ammessi.",
                             "Attenzione", core::Icon::Critical);
            showUser(u, nameColumn);
            return;
        }
        if (!edited_[u] && core::length(stored_[u]) >= 2) {
            out[u].password = stored_[u];
            continue;
        }
        const auto scrambled = scramble(core::trim(table_[u].password));
        if (!scrambled) {
            platform.message(passwordNotStorable, "Attenzione", core::Icon::Critical);
            showUser(u, passwordColumn);
            return;
        }
        out[u].password = *scrambled;
    }
    out[1].name = administratorName;
    if (const int error = writeUsers(s.files(), s.installation(), out); error != 0) {
        platform.message("Non è stato possibile salvare la tabella degli utenti: errore " + std::to_string(error),
                         "Attenzione", core::Icon::Critical);
        return;
    }
    close();
}

void UsersTableForm::disable() {
    if (closed()) return;
    auto& s = session();
    if (!s.platform().askYesNo(disableQuestion, "Attenzione", core::Icon::Question)) return;
    const std::string path = s.installation().file(usersFileName);
    const int error = s.files().remove(path);
    // With the file still there the password system would stay on: say so and stay open.
    if (error != 0 && s.files().exists(path)) {
        s.platform().message("Non è stato possibile eliminare la tabella degli utenti: errore " + std::to_string(error),
                             "Attenzione", core::Icon::Critical);
        return;
    }
    close();
}

void UsersTableForm::cancel() { close(); }

}  // namespace kalvora::launcher
