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
    const auto status = [&](const std::string& s) { statuses.push_back(s); };

    EXPECT_TRUE(refreshNotice(t.session, status));  // no file yet
    EXPECT_EQ(t.drive.read("kalwin/kalvora.bnn"), notice("20261206", {"3 **/**/**** ZF Buongiorno"}));
    EXPECT_EQ(statuses, std::vector<std::string>{"Controllo disponibilità aggiornamenti"});

    EXPECT_FALSE(refreshNotice(t.session, status));  // dated today

    // Dated yesterday: fetched, but not while offline.
    t.drive.write("kalwin/kalvora.bnn", notice("20261205", {}));
    t.platform.online = false;
    EXPECT_FALSE(refreshNotice(t.session, status));
    t.platform.online = true;
    EXPECT_TRUE(refreshNotice(t.session, status));
    EXPECT_EQ(t.platform.downloadsRequested.size(), 2u);
    EXPECT_EQ(statuses.size(), 2u);
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
    // A file of its date line only has nothing to say.
    t.drive.write("kalwin/kalvora.bnn", "20261206");
    EXPECT_EQ(readNotice(t.files, t.session.installation(), "06/12/2026").message, "");
}

// What a notice link opens: web addresses only, those without a scheme from "www." on.
TEST(DailyNotice, OnlyWebAddressesAreOpened) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"http://www.example.org", "http://www.example.org"},
        {" HTTPS://www.example.org/a?b=c ", "HTTPS://www.example.org/a?b=c"},
        {"www.example.org/novità", "http://www.example.org/novità"},
        {" WWW.Example.org ", "http://WWW.Example.org"},
        {"www.", ""}, {"", ""}, {"http://", ""}, {"file:///etc/passwd", ""}, {"C:\\windows\\calc.exe", ""},
        {"/usr/bin/xterm", ""}, {"javascript:alert(1)", ""}, {"mailto:a@b.it", ""}, {"ftp://example.org", ""},
        {"wwwexample.org", ""}};
    for (const auto& [link, address] : cases) EXPECT_EQ(webAddress(link), address) << link;
}

}  // namespace
}  // namespace kalvora::launcher
