#include "launcher/help_documents.h"

#include "company/settings_loader.h"
#include "support/test_session.h"

#include <gtest/gtest.h>

namespace kalvora::launcher {
namespace {

using testing::Shown;

struct HelpSession : testing::TestSession {
    HelpSession() { drive.makeInstallation(0); }

    // Stores the viewer fields in company 000's general settings, which the opening reloads.
    void useViewer(const std::string& path) {
        company::loadCompanySettings(session);
        session.company().general.setManualPdfReader("1");
        session.company().general.setPdfReaderPath(path);
        ASSERT_EQ(company::saveGeneralSettings(session), 0);
    }
};

TEST(HelpDocumentsTest, DefaultHandlerOpensTheDocumentOfEachNumber) {
    HelpSession t;
    t.drive.write("kalwin/kalwin/KALVORA2.PDF", "%PDF");
    for (int number : {1, 3, 2, 0, 4}) openHelpDocument(t.session, number);
    EXPECT_EQ(t.platform.documentsOpened,
              (std::vector<std::string>{t.drive.path("kalwin/kalwin/kalvora1.pdf"),
                                        t.drive.path("kalwin/kalwin/KALVORA2.PDF"),
                                        t.drive.path("kalwin/kalwin/kal_agg1.pdf")}));
    EXPECT_TRUE(t.platform.shown.empty());
}

// What the user is told for each result of the default handler: failures below 30 in a
// message, a missing viewer (31, 32) in a question offering the download page, nothing else.
TEST(HelpDocumentsTest, FailuresOfTheDefaultHandler) {
    const std::string question = "Si è verificato un errore durante l'esecuzione di Acrobat Reader (";
    const std::string message = "Non è stato possibile aprire il file PDF della guida in linea (";
    const std::vector<std::pair<int, std::string>> cases{
        {2, message + "File PDF non trovato)"},  {3, message + "Cartella o Percorso non trovato)"},
        {5, message + "Accesso negato)"},        {8, message + "Memoria esaurita)"},
        {29, message + "Errore sconosciuto)"},   {30, ""}, {33, ""}, {42, ""},
        {31, question + "Programma Acrobat Reader non installato o non disponibile)"},
        {32, question + "DLL non trovata)"}};
    for (const auto& [result, text] : cases) {
        for (bool yes : {false, true}) {
            HelpSession t;
            t.platform.openResult = result;
            t.platform.answers = {yes};
            openHelpDocument(t.session, 1);
            std::vector<std::string> opened{t.drive.path("kalwin/kalwin/kalvora1.pdf")};
            if (text.empty()) {
                EXPECT_TRUE(t.platform.shown.empty()) << result;
                continue;
            }
            ASSERT_EQ(t.platform.shown.size(), 1u) << result;
            const Shown& shown = t.platform.shown[0];
            EXPECT_EQ(shown.title, "Guida in linea");
            if (shown.kind == Shown::Kind::Question) {
                EXPECT_EQ(shown.text, text + ". Clic su SI per scaricare ed installare una nuova versione di Acrobat "
                                             "Reader oppure su NO per terminare la procedura");
                if (yes) opened.push_back(pdfReaderDownloadPage);
            } else {
                EXPECT_EQ(shown.text, text);
                EXPECT_EQ(shown.icon, core::Icon::Critical);
            }
            EXPECT_EQ(t.platform.documentsOpened, opened) << result;
        }
    }
}

TEST(HelpDocumentsTest, ViewerSwitchStartsTheViewerWithThePathAsItsOnlyArgument) {
    HelpSession t;
    t.useViewer("  /opt/lettore pdf/bin/lettore  ");
    openHelpDocument(t.session, 3);
    ASSERT_EQ(t.platform.started.size(), 1u);
    EXPECT_EQ(t.platform.started[0].program, "/opt/lettore pdf/bin/lettore");
    EXPECT_EQ(t.platform.started[0].arguments, std::vector<std::string>{t.drive.path("kalwin/kalwin/kalvora2.pdf")});
    // The field is a stored path, as the module programs write it.
    t.useViewer("C:\\KALWIN\\Lettore\\lettore.exe");
    openHelpDocument(t.session, 3);
    EXPECT_EQ(t.platform.started.back().program, t.drive.path("kalwin/Lettore/lettore.exe"));
    t.platform.startResult = 13;
    openHelpDocument(t.session, 1);
    ASSERT_EQ(t.platform.messages().size(), 1u);
    EXPECT_EQ(t.platform.messages()[0].text, "Non è possibile eseguire il programma Acrobat Reader: errore 13");
    EXPECT_TRUE(t.platform.documentsOpened.empty());
}

}  // namespace
}  // namespace kalvora::launcher
