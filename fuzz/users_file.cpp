// Any bytes as the users file kalvora.pxd: reading, unscrambling every password and a login
// survive them; a table made of the input reads back as written, a password that scrambles
// comes back through unscramble, and a login with a user's own password finds that user or an
// earlier one with the same password. The users table window has a target of its own.
#include "core/cp1252.h"
#include "core/session.h"
#include "core/text.h"
#include "launcher/login_form.h"
#include "launcher/users_file.h"
#include "users_fuzz.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace kalvora;
using launcher::UsersTable;

using fuzz::check;

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
    const UsersTable expected = fuzz::stored(table);
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
    fuzz::SessionDrive drive;
    core::Files& files = drive.files;
    const core::Installation& inst = drive.inst;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string path = inst.file(launcher::usersFileName);
    check(files.replaceFile(path, bytes) == 0);

    core::Session& session = drive.session;
    const std::string text = core::decodeCp1252(bytes);
    // Passwords are short: the scrambling is tried on the start of the input only.
    checkScrambling(core::decodeCp1252(bytes.substr(0, 200)));

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
    if (session.run().userNumber() == 0) tryLogin(session, core::left(text, 100), 0);

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
