#pragma once
// Arranges kalvora.pxd byte by byte (Windows-1252, CR LF), reads it back and plays a login,
// for the users, login and password window tests.
#include "core/cp1252.h"
#include "launcher/login_form.h"
#include "support/test_session.h"

#include <gtest/gtest.h>

#include <map>

namespace kalvora::testing {

constexpr const char* usersPath = "kalwin/kalwin/kalvora.pxd";

inline std::string scrambledBytes(const char* plain) { return core::encodeCp1252(*launcher::scramble(plain)); }

// Name and stored password (bytes) of the users present; user 1 has level "9", user 2 a
// reserved line and privileges; every other line is empty.
inline std::vector<std::string> rawUserLines(const std::map<int, std::pair<std::string, std::string>>& users) {
    std::vector<std::string> lines;
    for (int u = 1; u <= 99; ++u) {
        const auto it = users.find(u);
        for (const char* line : {it == users.end() ? "" : it->second.first.c_str(),
                                 it == users.end() ? "" : it->second.second.c_str(), u == 1 ? "9" : "",
                                 u == 2 ? "riservato" : "", u == 2 ? "0101" : ""})
            lines.push_back(line);
    }
    return lines;
}

inline std::string joinCrLf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += l + "\r\n";
    return out;
}

// The first `lineCount` lines of rawUserLines.
inline void writeRawUsers(const TempDrive& drive, const std::map<int, std::pair<std::string, std::string>>& users,
                          std::size_t lineCount = 495) {
    auto lines = rawUserLines(users);
    lines.resize(lineCount);
    drive.write(usersPath, joinCrLf(lines));
}

// The file's lines as bytes; empty when the file is missing.
inline std::vector<std::string> fileLines(const TempDrive& drive) {
    std::vector<std::string> lines;
    const std::string bytes = drive.read(usersPath);
    for (std::size_t pos = 0, end; pos < bytes.size(); pos = end + 2) {
        end = std::min(bytes.find("\r\n", pos), bytes.size());
        lines.push_back(bytes.substr(pos, end - pos));
    }
    return lines;
}

// The caption a login with `typed` leaves (empty when refused).
inline std::string loginWith(TestSession& t, const std::string& typed) {
    t.session.run().userCaption.clear();
    launcher::LoginForm login(t.session);
    login.open();
    login.setPassword(typed);
    login.confirm();
    return t.session.run().userCaption;
}

// The only thing shown was this refusal ("Attenzione", stop icon).
inline void expectRefusal(const FakePlatform& platform, const std::string& text) {
    ASSERT_EQ(platform.shown.size(), 1u);
    EXPECT_EQ(std::tuple(platform.shown[0].text, platform.shown[0].title, platform.shown[0].icon),
              std::tuple(text, std::string("Attenzione"), core::Icon::Critical));
}

}  // namespace kalvora::testing
