// Any bytes as the users file kalvora.pxd: reading, unscrambling every password, a login and
// the users table window survive them; a saved table reads back as written, a password that
// scrambles comes back through unscramble, and a login with a user's own password finds that
// user or an earlier one with the same password.
#include "core/cp1252.h"
#include "core/session.h"
#include "core/text.h"
#include "launcher/login_form.h"
#include "launcher/users_file.h"
#include "launcher/users_table_form.h"
#include "users_fuzz.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace kalvora;
using launcher::UsersTable;

void check(bool ok, int line = __builtin_LINE()) {
    if (ok) return;
    std::fprintf(stderr, "users_file fuzz check failed at line %d\n", line);
    std::abort();
}

std::string withoutLineBreaks(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

// The table as writeUsers stores it: the name on one line, the other fields as they are but
// for line breaks.
UsersTable stored(UsersTable table) {
    for (auto& r : table) {
        r.name = core::singleLine(r.name);
        for (std::string* f : {&r.password, &r.level, &r.reserved, &r.privileges}) *f = withoutLineBreaks(*f);
    }
    return table;
}

void checkScrambling(const std::string& text) {
    const std::string plain = launcher::unscramble(text);
    check(core::length(plain) == (text.empty() ? 0 : core::length(text) - 1));
    if (const auto s = launcher::scramble(plain)) {
        check(launcher::unscramble(*s) == core::trim(plain));
        const std::string bytes = core::encodeCp1252(*s);
        check(bytes.find_first_of("\r\n") == std::string::npos);
    }
}

void checkRoundTrip(core::Files& files, const core::Installation& inst, const UsersTable& table) {
    check(launcher::writeUsers(files, inst, table) == 0);
    const auto back = launcher::readUsers(files, inst);
    check(back.has_value());
    const UsersTable expected = stored(table);
    for (int u = 1; u <= launcher::userCount; ++u) check((*back)[u] == expected[u]);
}

void tryLogin(core::Session& session, const std::string& typed, int expectedAtMost) {
    launcher::LoginForm login(session);
    login.open();
    login.setPassword(typed);
    login.confirm();
    if (expectedAtMost > 0) {
        check(login.closed());
        const int user = session.run().userNumber();
        check(user >= 1 && user <= expectedAtMost);
    }
    if (!login.closed()) login.closeBox();
    check(login.closed());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static core::Files files;
    static core::FixedClock clock(core::Date{2026, 12, 6});
    const core::Installation& inst = fuzzing::usersFuzzDrive();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string path = inst.file(launcher::usersFileName);
    check(files.replaceFile(path, bytes) == 0);

    testing::QuietPlatform platform;
    core::Session session(inst, platform, clock, files);
    const std::string text = core::decodeCp1252(bytes);
    checkScrambling(text);

    const auto table = launcher::readUsers(files, inst);
    if (table) {
        // A user's own password logs in that user or an earlier one holding the same.
        int known = 0;
        for (int u = 1; u <= launcher::userCount && known == 0; ++u) {
            const std::string& p = (*table)[u].password;
            checkScrambling(p);
            const std::string plain = core::trim(launcher::unscramble(p));
            if (core::length(p) >= 2 && launcher::scramble(plain) == p) known = u;
        }
        if (known > 0) tryLogin(session, core::trim(launcher::unscramble((*table)[known].password)), known);
    }
    tryLogin(session, core::left(text, 100), 0);
    check(files.replaceFile(path, bytes) == 0);

    // The users table saves what it read, the passwords nobody edited as they were.
    platform.messages = 0;
    launcher::UsersTableForm editor(session);
    editor.open();
    check(editor.defaultTable() == !table.has_value());
    for (int r = 1; r <= launcher::UsersTableForm::visibleRows; ++r) {
        editor.enterPressed(r, launcher::UsersTableForm::passwordColumn);
        check(editor.row(r).user == editor.firstEntry() + r - 1);
    }
    editor.confirm();
    const auto saved = launcher::readUsers(files, inst);
    if (!editor.closed()) {
        check(platform.messages == 1);
        check(files.readBytes(path) == std::string(bytes));
    } else {
        check(saved.has_value());
        const UsersTable expected = table ? stored(*table) : launcher::defaultUsers();
        check((*saved)[1].name == launcher::administratorName);
        for (int u = 1; u <= launcher::userCount; ++u) {
            const auto& got = (*saved)[u];
            const auto& want = expected[u];
            check(u == 1 || got.name == want.name);
            check(got.level == want.level && got.reserved == want.reserved && got.privileges == want.privileges);
            if (table)
                check(got.password == (core::length(want.password) >= 2 ? want.password : "@"));
        }
        checkRoundTrip(files, inst, *saved);
    }

    // A table made of the input, line by line, reads back as written.
    UsersTable made = table ? *table : launcher::defaultUsers();
    const auto pieces = core::split(text, '|');
    for (std::size_t i = 0; i < pieces.size() && i < 50; ++i) {
        auto& r = made[1 + i % launcher::userCount];
        (i % 2 ? r.name : r.privileges) = pieces[i];
    }
    checkRoundTrip(files, inst, made);
    return 0;
}
