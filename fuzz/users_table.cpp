// Any bytes as the users file kalvora.pxd in the users table window: every page opens, and
// its save keeps every field it read, the passwords nobody edited as they were (a file that
// cannot be read opens the default table).
#include "launcher/users_table_form.h"
#include "users_fuzz.h"

using namespace kalvora;
using fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::SessionDrive drive;
    core::Files& files = drive.files;
    const core::Installation& inst = drive.inst;
    const std::string_view bytes = fuzz::asText(data, size);
    const std::string path = inst.file(launcher::usersFileName);
    fuzz::placeFile(files, path, bytes);
    const auto table = launcher::readUsers(files, inst);

    launcher::UsersTableForm editor(drive.session);
    editor.open();
    check(editor.defaultTable() == !table.has_value());
    for (int r = 1; r <= launcher::UsersTableForm::visibleRows; ++r) {
        editor.enterPressed(r, launcher::UsersTableForm::passwordColumn);
        check(editor.row(r).user == editor.firstEntry() + r - 1);
    }
    editor.confirm();
    if (!editor.closed()) {
        check(drive.platform.messages == 1, "a refused save is told");
        check(files.readBytes(path) == std::string(bytes), "a refused save writes nothing");
        return 0;
    }
    const auto saved = launcher::readUsers(files, inst);
    check(saved.has_value());
    const launcher::UsersTable expected = table ? fuzz::stored(*table) : launcher::defaultUsers();
    check((*saved)[1].name == launcher::administratorName);
    for (int u = 1; u <= launcher::userCount; ++u) {
        const auto& got = (*saved)[u];
        const auto& want = expected[u];
        check(u == 1 || got.name == want.name);
        check(got.level == want.level && got.reserved == want.reserved && got.privileges == want.privileges);
        if (table) check(got.password == (core::length(want.password) >= 2 ? want.password : "@"));
    }
    return 0;
}
