#include "launcher/daily_notice.h"
#include "support/test_session.h"

#include <gtest/gtest.h>

namespace kalvora::launcher {
namespace {

using testing::TestSession;

const std::string noticeAddress = "http://www.kalvora.it/zip/kalbnn.x";

std::string notice(const std::string& firstLine, const std::vector<std::string>& lines) {
    std::string out = firstLine + "\r\n";
    for (const auto& l : lines) out += l + "\r\n";
    return out;
}

TEST(DailyNotice, DownloadedOncePerDay) {
    TestSession t({2026, 12, 6});
    t.platform.online = true;
    t.platform.downloads[noticeAddress] = notice("20261206", {"3 **/**/**** ZF Buongiorno"});
    std::vector<std::string> statuses;
    auto status = [&](const std::string& s) { statuses.push_back(s); };

    // No file yet: fetched.
    EXPECT_TRUE(refreshNotice(t.session, status));
    EXPECT_EQ(t.drive.read("kalwin/kalvora.bnn"), notice("20261206", {"3 **/**/**** ZF Buongiorno"}));
    EXPECT_EQ(statuses, std::vector<std::string>{"Controllo disponibilità aggiornamenti"});

    // Dated today: not fetched again.
    EXPECT_FALSE(refreshNotice(t.session, status));
    EXPECT_EQ(t.platform.downloadsRequested.size(), 1u);

    // Dated yesterday: fetched.
    t.drive.write("kalwin/kalvora.bnn", notice("20261205", {}));
    EXPECT_TRUE(refreshNotice(t.session, status));
    EXPECT_EQ(t.platform.downloadsRequested.size(), 2u);
}

TEST(DailyNotice, NothingHappensOffline) {
    TestSession t;
    t.platform.online = false;
    std::vector<std::string> statuses;
    EXPECT_FALSE(refreshNotice(t.session, [&](const std::string& s) { statuses.push_back(s); }));
    EXPECT_TRUE(t.platform.downloadsRequested.empty());
    EXPECT_TRUE(statuses.empty());
    EXPECT_FALSE(t.drive.exists("kalwin/kalvora.bnn"));
}

TEST(DailyNotice, FailedOrBogusDownloadKeepsTheOldFile) {
    TestSession t({2026, 12, 6});
    t.platform.online = true;
    const std::string old = notice("20261201", {"3 **/**/**** ZF Vecchio avviso"});
    t.drive.write("kalwin/kalvora.bnn", old);
    auto ignore = [](const std::string&) {};

    EXPECT_FALSE(refreshNotice(t.session, ignore));  // the server does not answer
    EXPECT_EQ(t.drive.read("kalwin/kalvora.bnn"), old);

    for (const std::string& body : {std::string("<html>Not found</html>\r\n"), std::string(),
                                   std::string("2026120\r\n"), std::string("20261399\r\n"),
                                   std::string("2026-12-06\r\n3 **/**/**** ZF x\r\n")}) {
        t.platform.downloads[noticeAddress] = body;
        EXPECT_FALSE(refreshNotice(t.session, ignore)) << body;
        EXPECT_EQ(t.drive.read("kalwin/kalvora.bnn"), old) << body;
    }
    EXPECT_EQ(t.drive.list("kalwin"), std::vector<std::string>{"kalvora.bnn"});  // no temporaries
}

TEST(DailyNotice, MessageAndLinkSelection) {
    TestSession t;
    t.drive.write("kalwin/kalvora.bnn",
                  notice("20261206", {
                                         "3 06/12/2026 TX Altra edizione",
                                         "3 07/12/2026 ZF Altro giorno",
                                         "2 **/**/**** ZF Tipo sconosciuto",
                                         "1 **/**/**** ZF @https://www.example.org/novit\xE0",
                                         "3 06/12/2026 ZF Nuova versione disponibile",
                                         "3 **/**/**** ZF Secondo messaggio",
                                         "1 **/**/**** ZF @https://late.example.org",
                                     }));
    const Notice n = readNotice(t.files, t.session.installation(), "06/12/2026");
    EXPECT_EQ(n.message, "Nuova versione disponibile");
    EXPECT_EQ(n.link, "https://www.example.org/novità");

    // Another day: only the every-day lines apply.
    const Notice other = readNotice(t.files, t.session.installation(), "08/12/2026");
    EXPECT_EQ(other.message, "Secondo messaggio");
    EXPECT_EQ(other.link, "https://www.example.org/novità");
}

TEST(DailyNotice, MissingOrEmptyFileHasNoNotice) {
    TestSession t;
    EXPECT_EQ(readNotice(t.files, t.session.installation(), "06/12/2026").message, "");
    t.drive.write("kalwin/kalvora.bnn", "20261206");
    const Notice n = readNotice(t.files, t.session.installation(), "06/12/2026");
    EXPECT_EQ(n.message, "");
    EXPECT_EQ(n.link, "");
}

TEST(DailyNotice, OnlyWebAddressesAreOpened) {
    EXPECT_TRUE(isWebAddress("http://www.example.org"));
    EXPECT_TRUE(isWebAddress(" HTTPS://www.example.org/a?b=c "));
    for (const char* bad : {"", "http://", "file:///etc/passwd", "C:\\windows\\calc.exe", "/usr/bin/xterm",
                            "javascript:alert(1)", "mailto:a@b.it", "ftp://example.org", "www.example.org"})
        EXPECT_FALSE(isWebAddress(bad)) << bad;
}

}  // namespace
}  // namespace kalvora::launcher
