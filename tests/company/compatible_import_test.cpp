#include "company/compatible_import.h"
#include "company/year_end_reset.h"
#include "reset_fixture.h"
#include "support/test_session.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace kalvora::company {
namespace {

const std::string company = "kalwin/kalwin/kalaz0.000/";
const std::string other = "altro/azienda/";

struct Import : testing::TestSession {
    Import() {
        drive.makeInstallation(0);
        form.open();
        form.onProgress([this] {
            if (!form.status().empty()) statuses.push_back(form.status());
        });
    }
    void choose(const std::string& relative) { form.chooser().setFolder(drive.path(relative)); }
    CompatibleImportForm form{session};
    std::vector<std::string> statuses;
};

// A folder without kalvora.tot is refused before the question; "No" copies nothing, nor does "Yes"
// while a folder in the company's stands where a file should go; then "Yes" copies every file of
// the folder, not its sub-folders, naming each, and unmarks the company, as the folder has no
// kalvora.a14, so that the conversion is offered.
TEST(CompatibleImport, CopiesEveryFileOfTheFolder) {
    Import t;
    t.drive.write(other + "kalvora.gio", "giornale");
    t.drive.write(other + "sotto/kalvora.cli", "clienti");
    t.drive.write(company + "kalvora.tot/bloccato", "");
    t.drive.write(company + "kalvora.a14", "01/01/2026\r\n");
    t.choose(other);
    t.platform.answers = {false, true, true};
    for (const char* told : {"La cartella selezionata non contiene archivi compatibili con Kalvora per Windows",
                             "Sei proprio sicuro?", "Il file kalvora.tot non può essere copiato"}) {
        t.form.confirm();
        EXPECT_TRUE(t.platform.last()->text.starts_with(told) && !t.form.closed()) << t.platform.last()->text;
        EXPECT_EQ(t.drive.list(company), (std::vector<std::string>{"kalvora.a14", "kalvora.tot"}));
        t.drive.write(other + "kalvora.tot", "contatori");  // there from the second try on
    }
    for (const testing::Shown& refusal : t.platform.messages())
        EXPECT_EQ(refusal.title + (refusal.icon == core::Icon::Critical ? "" : " ?"), "Attenzione");
    std::filesystem::remove_all(t.drive.path(company + "kalvora.tot"));
    t.form.confirm();
    EXPECT_EQ(t.drive.list(company), (std::vector<std::string>{"kalvora.gio", "kalvora.tot"}));
    EXPECT_EQ(t.statuses, (std::vector<std::string>{"Converto il file kalvora.gio", "Converto il file kalvora.tot"}));
    // No question for the folder without kalvora.tot.
    EXPECT_TRUE(t.platform.questions().size() == 3 && t.platform.questions()[0].title == "Conversione archivi");
    EXPECT_EQ(t.platform.last()->text + "|" + t.platform.last()->title, "Conversione eseguita|Conversione archivi");
    EXPECT_TRUE(t.platform.last()->icon == core::Icon::Information && t.form.closed());
}

// A failure or a crash at any call, copies and swaps alike, leaves the company as it was or,
// once opened again, wholly imported; a failure that is not a crash is got over or undone.
TEST(CompatibleImport, AFaultAtAnyCallLeavesTheCompanyAsItWasOrWhollyImported) {
    testing::ResetCompany reference;
    for (const char* name : {"kalvora.tot", "kalvora.gio", "kalvora.a14", "mio.dat"}) reference.put(name, name);
    const auto prepared = [&](testing::InMemory& t, core::Session& s) {
        t.files.makeDirectories(reference.drive.path(other));
        for (const char* name : {"KALVORA.GIO", "kalvora.tot", "nuovo.dat"})
            t.files.replaceFile(reference.drive.path(other + name), std::string("altro ") + name);
        auto form = std::make_unique<CompatibleImportForm>(s);
        form->open();
        form->chooser().setFolder(reference.drive.path(other));
        t.platform.defaultAnswer = true;
        return form;
    };
    testing::InMemory sound(reference);
    const auto before = sound.snapshot();
    prepared(sound, sound.session)->confirm();
    const auto after = sound.snapshot();
    ASSERT_EQ(after, (std::map<std::string, std::string>{{"kalvora.gio", "altro KALVORA.GIO"},
        {"kalvora.tot", "altro kalvora.tot"}, {"mio.dat", "mio.dat"}, {"nuovo.dat", "altro nuovo.dat"}}));
    for (const bool crash : {false, true})
        for (long k = 1;; ++k) {
            testing::InMemory t(reference);
            const auto form = prepared(t, t.faultySession);
            t.faulty.failAt(k, crash);
            form->confirm();
            const bool hit = t.faulty.failed(), done = form->closed();
            completeInterruptedReset(t.session, 0);  // the next opening, on a sound disk
            const auto now = t.snapshot();
            const std::string at = (crash ? " crash after call " : " failure of call ") + std::to_string(k);
            EXPECT_TRUE(done ? now == after : now == before || (crash && now == after)) << at;
            EXPECT_TRUE(done || now == before || t.platform.last()->text == "Una conversione di archivi di programmi "
                        "compatibili era stata interrotta: è stata completata ora.") << at;
            if (!hit) {
                EXPECT_TRUE(done && k > 60) << k;
                break;
            }
        }
}

}  // namespace
}  // namespace kalvora::company
