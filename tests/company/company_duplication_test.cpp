#include "company/company_creation.h"
#include "company/company_deletion.h"
#include "company/company_duplication.h"
#include "company/current_company.h"
#include "core/text.h"
#include "support/test_session.h"
#include "ui/ui_fixtures.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace kalvora::company {
namespace {

// Company 000 with a 200-character accented name, two archives and a folder of prints; company
// 005 current; `used` the duplicate codes already taken.
struct Companies : testing::TestSession {
    const std::string name0 = "Società " + std::string(192, 'x');
    explicit Companies(const std::vector<int>& used = {}) {
        std::map<int, std::string> registry{{0, name0}, {5, "Beta"}};
        for (int code : used) registry[code] = "Copia";
        drive.write(testing::registryPath, testing::registryBytes(registry, "2025"));
        drive.write(folder(0) + "kalvora.tot", std::string("\0\xE0\r\n\x81", 5));
        drive.write(folder(0) + "stampe/fattura.txt", "stampa");
        drive.write(folder(5) + "kalvora.cli", "Beta");
        openFirstCompany(session);  // writes 000's kalvora.gnr
        makeCurrent(session, 5);
    }
    static std::string folder(int code) { return "kalwin/kalwin/kalaz0." + core::threeDigits(code) + "/"; }
    std::string line(int code) { return readRegistry(files, drive.installation())->at(code); }
};

TEST(CompanyDuplication, RefusalsAndTheQuestionNamingTheLowestFreeSlot) {
    const std::string asked = "Questa funzione permette di creare un duplicato dell'azienda in uso.\rLa nuova azienda "
        "creata verrà evidenziata nell'elenco delle aziende con numero 993. Sarà possibile duplicare e quindi tenere "
        "in linea fino a 9 diverse copie dell'azienda di lavoro (es: ultimi 9 anni contabili).\rE' consigliabile "
        "duplicare l'azienda prima dell'azzeramento annuale in modo tale da averne una copia 'in linea' sempre "
        "disponibile.\r\rConfermi la duplicazione dell'azienda?";
    const std::tuple<std::vector<int>, std::string, std::string> cases[] = {
        {{991, 992}, "005 Beta", asked}, {{991, 992}, "990 Altra", asked},
        {{991, 992, 993, 994, 995, 996, 997, 998, 999}, "000 Alfa", "Non è possibile creare ulteriori duplicati di "
         "aziende. Si consiglia di eliminare il duplicato meno recente per creare spazio per la nuova copia."},
        {{}, "995 Copia", "Selezionare l'azienda 000 prima di richiamare questa funzione."},
    };
    for (const auto& [used, caption, text] : cases) {
        Companies t(used);
        duplicateCompany(t.session, caption);  // the question is answered No
        ASSERT_EQ(t.platform.shown.size(), 1u) << caption;
        const auto& shown = t.platform.shown[0];
        EXPECT_EQ(shown.text, text);
        EXPECT_EQ(shown.title + (shown.icon == core::Icon::Critical ? " !" : " ?"),
                  text == asked ? "Duplica azienda ?" : "Attenzione !");
        for (int code = 991; code <= 999; ++code) EXPECT_FALSE(t.drive.exists(t.folder(code)));
    }
}

TEST(CompanyDuplication, EveryFileIsCopiedAndOnesThatCannotBeAreNamed) {
    Companies t({991, 992});
    t.platform.answers = {true, true};
    duplicateCompany(t.session, "005 Beta");
    const std::vector<std::string> copied{"kalvora.gnr", "kalvora.tot"};  // not the folder of prints
    EXPECT_EQ(t.drive.list(t.folder(993)), copied);
    for (const auto& name : copied) EXPECT_EQ(t.drive.read(t.folder(993) + name), t.drive.read(t.folder(0) + name));
    EXPECT_EQ(t.line(993), "Copia di " + t.name0);  // without the year
    EXPECT_EQ(t.session.company().companyCaption, "000 " + t.name0);
    EXPECT_EQ(t.platform.last()->text + (t.platform.last()->icon == core::Icon::Exclamation ? "" : " ?"),
              "Duplicazione terminata");

    // Unreadable files, and a slot used by a copy deleted since: what the copy does not replace
    // goes aside, never into the copy nor lost; names differing only in case stay apart there.
    for (const char* name : {"kalvora.mov", "kalvora.cli"})
        std::filesystem::create_symlink(t.drive.path("assente"), t.drive.path(t.folder(0) + name));
    for (const char* stale : {"KALVORA.TOT", "kal2023.cor", "KALVORA.MOV", "kalvora.mov", "kalaz0.bak/kalvora.tot"})
        t.drive.write(t.folder(994) + stale, stale);
    duplicateCompany(t.session, "000 Alfa");
    EXPECT_EQ(t.drive.list(t.folder(994)), (std::vector<std::string>{"KALVORA.TOT", "kalvora.gnr"}));
    EXPECT_EQ(t.drive.read(t.folder(994) + "KALVORA.TOT"), t.drive.read(t.folder(0) + "kalvora.tot"));
    const std::string aside = "kalwin/kalwin/spostati-da-kalaz0.994-20261206-090000";
    EXPECT_EQ(t.drive.list(aside), (std::vector<std::string>{"KALVORA.MOV", "kal2023.cor", "kalaz0.bak", "kalvora.mov.2"}));
    EXPECT_EQ(t.drive.read(aside + "/kalvora.mov.2") + t.drive.read(aside + "/kalaz0.bak/kalvora.tot"),
              "kalvora.movkalaz0.bak/kalvora.tot");
    EXPECT_EQ(t.platform.last()->text, "Duplicazione terminata. Non è stato possibile copiare i files: kalvora.cli, "
              "kalvora.mov. Probabilmente qualche modulo di programma è ancora in funzione oppure qualche computer "
              "della rete sta utilizzando Kalvora. I files e le cartelle di un'azienda precedente che la copia non ha "
              "sostituito sono stati spostati dalla cartella dell'azienda 994 nella cartella " + t.drive.path(aside) + ".");
    EXPECT_EQ(t.line(994), "Copia di " + t.name0);
    EXPECT_FALSE(t.platform.busy);
}

TEST(CompanyDeletion, OnlyTheLineIsFreedAndCompanyZeroIsRefusedFromBothPlaces) {
    Companies t;
    t.platform.answers = {false, true, true, true, true};
    deleteShownCompany(t.session, "005 Beta  ");  // No
    EXPECT_NE(t.line(5), "*");
    deleteShownCompany(t.session, "005 Beta  ");
    EXPECT_EQ(t.platform.questions().at(1).text, "Sei sicuro di voler eliminare l'azienda 005 Beta?");
    EXPECT_EQ(t.line(5) + " " + std::to_string(t.session.company().code), "* 0");
    EXPECT_EQ(t.drive.read(t.folder(5) + "kalvora.cli"), "Beta");
    t.platform.shown.clear();
    const std::string kept = t.drive.read(testing::registryPath);
    deleteShownCompany(t.session, "000 Alfa");
    CompanyCreationForm form(t.session, CreationMode::Delete);  // mode 4 on company 000, now current
    form.open();
    form.confirm();
    ASSERT_EQ(t.platform.shown.size(), 2u);  // no question asked
    for (const auto& shown : t.platform.shown)
        EXPECT_EQ(shown.text, "L'azienda 000 non può essere eliminata: è l'azienda di lavoro, da cui si parte ad "
                              "ogni avvio e di cui i duplicati sono copie.");
    EXPECT_EQ(t.drive.read(testing::registryPath), kept);
}

}  // namespace
}  // namespace kalvora::company
