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
            dynamic_cast<CompanyCreationForm&>(f).setField(0, "Sostituta");
            dynamic_cast<CompanyCreationForm&>(f).confirm();
        };
    }
    void expectArchivesKept() {
        for (const auto& [name, bytes] : archives) EXPECT_EQ(drive.read(folder000 + name), bytes) << name;
    }
};

TEST(OpenFirstCompany, ADamagedRegistryIsCompletedAndNoArchiveIsWrittenOver) {
    std::string oneShort;
    for (int code = 0; code < 999; ++code) oneShort += (code == 0 ? registryLine("Alfa", "2025") : "*") + "\r\n";
    // registry ("/" a folder in its place), message, the line of 003: kept from a short registry, else rebuilt
    const std::array<std::string, 3> cases[] = {
        {oneShort, "L'archivio delle aziende era incompleto ed è stato completato dalle cartelle delle aziende; la copia "
                   "danneggiata è stata conservata come kalvora.azi.old.", "*"},
        {"", "L'archivio delle aziende mancava ed è stato ricostruito dalle cartelle delle aziende.",
         registryLine("Gamma", "2024")},
        {"/", "L'archivio delle aziende era danneggiato ed è stato ricostruito dalle cartelle delle aziende; il file "
              "danneggiato, che non è stato possibile copiare, è stato lasciato com'era.", registryLine("Gamma", "2024")}};
    for (const auto& [registry, message, line3] : cases) {
        Installed t;
        if (registry == "/") std::filesystem::create_directories(t.drive.path(azi + "/dentro"));
        else if (!registry.empty()) t.drive.write(azi, registry);
        openFirstCompany(t.session);
        EXPECT_TRUE(t.platform.modalsOpened.empty());
        t.expectArchivesKept();
        ASSERT_EQ(t.platform.messages().size(), 1u);
        EXPECT_EQ(std::pair(t.platform.messages()[0].text, t.platform.messages()[0].title), std::pair(message, std::string("Attenzione")));
        EXPECT_EQ(t.drive.read(azi + ".old"), registry == oneShort ? oneShort : "");
        const auto& lines = t.session.company().registry;
        EXPECT_EQ(std::tuple(lines[0], lines[3], lines[999]), std::tuple(registryLine("Alfa", "2025"), line3, "Copia di Alfa"));
        EXPECT_EQ(readRegistry(t.files, t.session.installation()) == lines, registry != "/") << "written unless left";
        EXPECT_EQ(t.session.company().companyCaption + t.session.company().yearCaption, "000 Alfa2025");
    }
}

}  // namespace
}  // namespace kalvora::company
