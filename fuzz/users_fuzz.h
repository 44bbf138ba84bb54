#pragma once
// What the two users file targets share: the table as the writer stores it.
#include "fuzz_drive.h"
#include "core/text.h"
#include "launcher/users_file.h"

namespace kalvora::fuzz {

// The table as writeUsers stores it: the name on one line, the other fields as they are but
// for line breaks.
inline launcher::UsersTable stored(launcher::UsersTable table) {
    for (auto& r : table) {
        r.name = core::singleLine(r.name);
        for (std::string* f : {&r.password, &r.level, &r.reserved, &r.privileges}) *f = withoutLineBreaks(*f);
    }
    return table;
}

}  // namespace kalvora::fuzz
