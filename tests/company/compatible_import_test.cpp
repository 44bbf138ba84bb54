#include "company/compatible_import.h"
#include "support/test_session.h"

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

// A folder without kalvora.tot is refused before the question.
TEST(CompatibleImport, RefusesAFolderWithoutCounts) {
    Import t;
    t.drive.write(other + "kalvora.gio", "giornale");
    t.choose(other);
    t.form.confirm();
    ASSERT_EQ(t.platform.shown.size(), 1u);
    const testing::Shown said = t.platform.shown[0];
    EXPECT_EQ(said.text + "|" + said.title,
              "La cartella selezionata non contiene archivi compatibili con Kalvora per Windows|Attenzione");
    EXPECT_EQ(said.icon, core::Icon::Critical);
    EXPECT_FALSE(t.drive.exists(company + "kalvora.gio") || t.form.closed());
}

// "No" copies nothing; "Yes" copies every file of the folder, not its sub-folders, naming each,
// and unmarks the company, as the folder has no kalvora.a14, so that the conversion is offered.
TEST(CompatibleImport, CopiesEveryFileOfTheFolder) {
    Import t;
    t.drive.write(other + "kalvora.tot", "contatori");
    t.drive.write(other + "kalvora.gio", "giornale");
    t.drive.write(other + "sotto/kalvora.cli", "clienti");
    t.drive.write(company + "kalvora.tot", "vecchi");
    t.drive.write(company + "kalvora.a14", "01/01/2026\r\n");
    t.choose(other);
    t.platform.answers = {false, true};
    t.form.confirm();
    EXPECT_EQ(t.drive.read(company + "kalvora.tot"), "vecchi");
    EXPECT_TRUE(t.drive.exists(company + "kalvora.a14") && !t.form.closed());
    t.form.confirm();
    EXPECT_EQ(t.drive.read(company + "kalvora.tot"), "contatori");
    EXPECT_EQ(t.drive.read(company + "kalvora.gio"), "giornale");
    EXPECT_FALSE(t.drive.exists(company + "sotto") || t.drive.exists(company + "kalvora.cli"));
    EXPECT_FALSE(t.drive.exists(company + "kalvora.a14"));
    EXPECT_EQ(t.statuses, (std::vector<std::string>{"Converto il file kalvora.gio", "Converto il file kalvora.tot"}));
    ASSERT_EQ(t.platform.questions().size(), 2u);
    EXPECT_EQ(t.platform.questions()[0].text + "|" + t.platform.questions()[0].title, "Sei proprio sicuro?|Conversione archivi");
    EXPECT_EQ(t.platform.last()->text + "|" + t.platform.last()->title, "Conversione eseguita|Conversione archivi");
    EXPECT_TRUE(t.platform.last()->icon == core::Icon::Information && t.form.closed());
}

// A copy that fails stops the import with the file's name; the files before it stay copied.
TEST(CompatibleImport, AFailedCopyNamesTheFileAndStops) {
    Import t;
    t.drive.write(other + "a.dat", "primo");
    t.drive.write(other + "kalvora.tot", "contatori");
    t.drive.write(other + "z.dat", "ultimo");
    t.drive.write(company + "kalvora.tot/bloccato", "");  // a folder where the file should go
    t.drive.write(company + "kalvora.a14", "01/01/2026\r\n");
    t.choose(other);
    t.platform.answers = {true};
    t.form.confirm();
    EXPECT_EQ(t.drive.read(company + "a.dat"), "primo");
    EXPECT_FALSE(t.drive.exists(company + "z.dat"));
    EXPECT_TRUE(t.drive.exists(company + "kalvora.a14"));  // only a whole import unmarks the company
    const testing::Shown said = *t.platform.last();
    EXPECT_TRUE(said.text.starts_with("Non è stato possibile copiare il file kalvora.tot")) << said.text;
    EXPECT_TRUE(said.icon == core::Icon::Critical && !t.form.closed());
}

}  // namespace
}  // namespace kalvora::company
