#include "launcher/users_file.h"

#include "core/cp1252.h"
#include "core/text.h"
#include "core/utf8.h"

#include <algorithm>
#include <array>
#include <vector>

namespace kalvora::launcher {

namespace {

constexpr int firstCode = 64;  // the length character of an empty password: "@"
constexpr int highestCode = 255;

// A line break inside a field would shift every following record.
std::string withoutLineBreaks(std::string text) {
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

bool isControl(long codePoint) {
    return codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F);
}

// Whether a Windows-1252 byte stands for a character a password may hold (worked out once
// for the 256 bytes: unscramble asks it of every byte).
bool typeable(unsigned char byte) {
    static const std::array<bool, 256> table = [] {
        std::array<bool, 256> t{};
        for (int b = 0; b < 256; ++b) {
            const char c = static_cast<char>(b);
            const std::string text = core::decodeCp1252(std::string_view(&c, 1));
            std::size_t pos = 0;
            t[b] = !isControl(core::utf8::next(text, pos));
        }
        return t;
    }();
    return table[byte];
}

}  // namespace

std::optional<UsersTable> readUsers(const core::Files& files, const core::Installation& inst) {
    auto lines = files.readLines(inst.file(usersFileName));
    if (!lines || lines->empty()) return std::nullopt;
    lines->resize(usersFileLines);
    UsersTable table;
    for (int u = 1; u <= userCount; ++u) {
        std::size_t base = static_cast<std::size_t>(u - 1) * linesPerUser;
        UserRecord& r = table[u];
        for (std::string* field : {&r.name, &r.password, &r.level, &r.reserved, &r.privileges})
            *field = std::move((*lines)[base++]);
    }
    return table;
}

int writeUsers(core::Files& files, const core::Installation& inst, const UsersTable& table) {
    std::vector<std::string> lines;
    lines.reserve(usersFileLines);
    for (int u = 1; u <= userCount; ++u) {
        const UserRecord& r = table[u];
        lines.push_back(core::singleLine(r.name));
        for (const std::string* field : {&r.password, &r.level, &r.reserved, &r.privileges})
            lines.push_back(withoutLineBreaks(*field));
    }
    return files.writeLines(inst.file(usersFileName), lines);
}

const char* defaultAdministratorPassword() { return "ghiandaverdina"; }

UsersTable defaultUsers() {
    UsersTable table;
    UserRecord& admin = table[1];
    admin.name = administratorName;
    admin.password = defaultAdministratorPassword();
    admin.level = "9";
    admin.privileges = std::string(privilegeLength, '0');
    return table;
}

std::optional<std::string> scramble(std::string_view plain) {
    const std::string text = core::trim(plain);
    std::size_t pos = 0;
    while (pos < text.size()) {
        const long cp = core::utf8::next(text, pos);
        if (cp < 0 || isControl(cp)) return std::nullopt;
    }
    if (!core::fitsCp1252(text)) return std::nullopt;

    const std::string bytes = core::encodeCp1252(text);
    const long n = static_cast<long>(bytes.size());
    if (n + firstCode > highestCode) return std::nullopt;
    std::string out(1, static_cast<char>(n + firstCode));
    for (long i = 1; i <= n; ++i) {
        const long code = static_cast<unsigned char>(bytes[i - 1]) + 2 * i;
        if (code > highestCode) return std::nullopt;
        out.push_back(static_cast<char>(code));
    }
    return core::decodeCp1252(out);
}

std::string unscramble(std::string_view stored) {
    const std::string bytes = core::encodeCp1252(stored);
    std::string out;
    for (std::size_t i = 1; i < bytes.size(); ++i) {
        const long code = static_cast<unsigned char>(bytes[i]) - 2 * static_cast<long>(i);
        // Only what scramble() accepts is shown as it is; a damaged code must not put control
        // characters into the editor.
        out.push_back(code >= 0 && typeable(static_cast<unsigned char>(code)) ? static_cast<char>(code) : '?');
    }
    return core::decodeCp1252(out);
}

}  // namespace kalvora::launcher
