#pragma once
// The users file kalvora.pxd: 99 records of five lines (name, scrambled password, level,
// reserved, privileges), 495 lines in all. The password system is on exactly when the file
// exists, can be read and holds at least one line.
#include "core/files.h"
#include "core/paths.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kalvora::launcher {

constexpr int userCount = 99;
constexpr int linesPerUser = 5;
constexpr int usersFileLines = userCount * linesPerUser;
constexpr int privilegeLength = 500;
constexpr const char* usersFileName = "kalvora.pxd";
constexpr const char* administratorName = "Amministratore";
// Shown by every window that refuses a password scramble() cannot store.
constexpr const char* passwordNotStorable = "La password contiene caratteri non ammessi o è troppo lunga.";

struct UserRecord {
    std::string name;
    std::string password;  // scrambled as stored (plain text inside the users table window)
    std::string level;
    std::string reserved;
    std::string privileges;
    friend bool operator==(const UserRecord&, const UserRecord&) = default;
};

// Records 1..99; index 0 is unused.
using UsersTable = std::array<UserRecord, userCount + 1>;

// nullopt when the file is missing, unreadable or empty. A short file gives the users it holds
// and counts the missing lines as unused users, so that a damaged file neither switches the
// passwords off nor loses a user at the next save. Lines past the 495th are ignored.
std::optional<UsersTable> readUsers(const core::Files& files, const core::Installation& inst);
// Rewrites all 495 lines atomically. A name is stored on one line (core::singleLine); in the
// other fields only a line break becomes a blank, since they keep the bytes other programs of
// the suite wrote (a scrambled password may hold a control character). Returns 0 or an error
// number.
int writeUsers(core::Files& files, const core::Installation& inst, const UsersTable& table);
// Every record empty except record 1: the administrator with the default password in plain
// text, level "9", privileges 500 "0".
UsersTable defaultUsers();
const char* defaultAdministratorPassword();

// The scrambled form of the trimmed text: a character of code n + 64, then each character's
// code plus 2 i, codes being Windows-1252 bytes. nullopt when the text holds a control
// character or one without a Windows-1252 byte, or when a code would pass 255: such a
// password could not be stored in the file.
std::optional<std::string> scramble(std::string_view plain);
// The inverse, for the users table window. Any stored text is accepted: a code that would come
// out as a control character (or below zero) shows as '?'.
std::string unscramble(std::string_view stored);

}  // namespace kalvora::launcher
