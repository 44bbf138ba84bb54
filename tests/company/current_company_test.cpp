#include "company/current_company.h"

#include "company/company_creation.h"
#include "company/registry.h"
#include "core/text.h"
#include "support/test_session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace kalvora::company {
namespace {

const std::string folder000 = "kalwin/kalwin/kalaz0.000/";
const std::string azi = "kalwin/kalwin/kalvora.azi";

std::string headerOf(const std::string& name, const std::string& year) {
    std::string bytes = name + "\r\n";
    for (int line = 2; line <= 16; ++line) bytes += "\r\n";
    return bytes + year + "\r\n";
}

// Company 000's archives, each with bytes no new company would have.
struct Installed : testing::TestSession {
    std::map<std::string, std::string> archives{
        {"kalvora.tot", std::string(7000, '\x07')}, {"kalvora.tab", "vera tabella\r\n"},
        {"kalvora.mas", "mastrini"}, {"kalvora.aut", "automatismi"}, {"kalvora.int", headerOf("Alfa", "2025")}};
    Installed() {
        for (const auto& [name, bytes] : archives) drive.write(folder000 + name, bytes);
        drive.write("kalwin/kalwin/kalaz0.003/kalvora.int", headerOf("Gamma", "2024"));
        drive.write("kalwin/kalwin/kalaz0.999/kalvora.int", headerOf("Alfa", "2025"));
        // What the user would do in a first-company creation, were it opened.
        platform.modalHandlers["zelcrea"] = [](core::Form& f) {
            auto& form = dynamic_cast<CompanyCreationForm&>(f);
            form.setField(0, "Sostituta");
            form.confirm();
        };
    }
    void expectArchivesKept() {
        for (const auto& [name, bytes] : archives) EXPECT_EQ(drive.read(folder000 + name), bytes) << name;
    }
};

TEST(OpenFirstCompany, ADamagedRegistryIsCompletedAndNoArchiveIsWrittenOver) {
    struct Case {
        std::string registry;  // empty: no file
        std::string message;
        bool keptAside;
        std::string line3;  // a short registry keeps its line, a lost one takes the folder's
    };
    std::string oneShort;
    for (int code = 0; code < 999; ++code) oneShort += (code == 0 ? registryLine("Alfa", "2025") : "*") + "\r\n";
    const Case cases[] = {
        {oneShort,
         "L'archivio delle aziende era incompleto ed è stato completato dalle cartelle delle aziende; la copia "
         "danneggiata è stata conservata come kalvora.azi.old.",
         true, "*"},
        {"",
         "L'archivio delle aziende mancava ed è stato ricostruito dalle cartelle delle aziende.", false,
         registryLine("Gamma", "2024")},
    };
    for (const Case& c : cases) {
        Installed t;
        if (!c.registry.empty()) t.drive.write(azi, c.registry);
        openFirstCompany(t.session);

        EXPECT_TRUE(t.platform.modalsOpened.empty());
        t.expectArchivesKept();
        ASSERT_EQ(t.platform.messages().size(), 1u);
        EXPECT_EQ(std::pair(t.platform.messages()[0].text, t.platform.messages()[0].title), std::pair(c.message, std::string("Attenzione")));
        EXPECT_EQ(t.drive.read(azi + ".old"), c.keptAside ? c.registry : "");
        const auto lines = readRegistry(t.files, t.session.installation());
        ASSERT_TRUE(lines);
        EXPECT_EQ((*lines)[0], registryLine("Alfa", "2025"));
        EXPECT_EQ((*lines)[3], c.line3);
        EXPECT_EQ((*lines)[999], "Copia di Alfa");
        EXPECT_EQ(t.session.company().companyCaption + t.session.company().yearCaption, "000 Alfa2025");
    }
}

TEST(OpenFirstCompany, AnUnreadableRegistryThatCannotBeKeptIsLeftAsItWas) {
    Installed t;
    std::filesystem::create_directories(t.drive.path(azi + "/dentro"));
    openFirstCompany(t.session);
    EXPECT_TRUE(t.platform.modalsOpened.empty());
    EXPECT_TRUE(t.drive.exists(azi + "/dentro"));
    EXPECT_EQ(t.platform.last()->text,
              "L'archivio delle aziende era danneggiato ed è stato ricostruito dalle cartelle delle aziende; il "
              "file danneggiato, che non è stato possibile copiare, è stato lasciato com'era.");
    EXPECT_EQ(t.session.company().registry[3], registryLine("Gamma", "2024"));  // for this run
}

}  // namespace
}  // namespace kalvora::company
