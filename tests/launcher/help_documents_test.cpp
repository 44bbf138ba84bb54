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

TEST(HelpDocumentsTest, FailuresOfTheDefaultHandler) {
    const std::vector<std::pair<int, std::string>> failures{
        {2, "File PDF non trovato"}, {3, "Cartella o Percorso non trovato"}, {5, "Accesso negato"},
        {8, "Memoria esaurita"},     {29, "Errore sconosciuto"}};
    for (const auto& [result, text] : failures) {
        HelpSession t;
        t.platform.openResult = result;
        openHelpDocument(t.session, 1);
        ASSERT_EQ(t.platform.shown.size(), 1u) << result;
        const Shown& shown = t.platform.shown[0];
        EXPECT_EQ(shown.kind, Shown::Kind::Message);
        EXPECT_EQ(shown.text, "Non è stato possibile aprire il file PDF della guida in linea (" + text + ")");
        EXPECT_EQ(shown.title, "Guida in linea");
        EXPECT_EQ(shown.icon, core::Icon::Critical);
    }
    for (int quiet : {30, 33, 42}) {
        HelpSession t;
        t.platform.openResult = quiet;
        openHelpDocument(t.session, 2);
        EXPECT_TRUE(t.platform.shown.empty()) << quiet;
    }
    const std::vector<std::pair<int, std::string>> noViewer{
        {31, "Programma Acrobat Reader non installato o non disponibile"}, {32, "DLL non trovata"}};
    for (const auto& [result, text] : noViewer) {
        for (bool yes : {false, true}) {
            HelpSession t;
            t.platform.openResult = result;
            t.platform.answers = {yes};
            openHelpDocument(t.session, 1);
            ASSERT_EQ(t.platform.shown.size(), 1u);
            const Shown& q = t.platform.shown[0];
            EXPECT_EQ(q.kind, Shown::Kind::Question);
            EXPECT_EQ(q.text, "Si è verificato un errore durante l'esecuzione di Acrobat Reader (" + text +
                                  "). Clic su SI per scaricare ed installare una nuova versione di Acrobat Reader "
                                  "oppure su NO per terminare la procedura");
            EXPECT_EQ(q.title, "Guida in linea");
            std::vector<std::string> opened{t.drive.path("kalwin/kalwin/kalvora1.pdf")};
            if (yes) opened.push_back(pdfReaderDownloadPage);
            EXPECT_EQ(t.platform.documentsOpened, opened);
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
    EXPECT_TRUE(t.platform.shown.empty());
    // The field is a stored path, as the module programs write it.
    t.useViewer("C:\\KALWIN\\Lettore\\lettore.exe");
    openHelpDocument(t.session, 3);
    EXPECT_EQ(t.platform.started.back().program, t.drive.path("kalwin/Lettore/lettore.exe"));

    t.platform.startResult = 13;
    openHelpDocument(t.session, 1);
    ASSERT_EQ(t.platform.messages().size(), 1u);
    EXPECT_EQ(t.platform.messages()[0].text, "Non è possibile eseguire il programma Acrobat Reader: errore 13");
    EXPECT_EQ(t.platform.messages()[0].title, "Attenzione");
    EXPECT_EQ(t.platform.messages()[0].icon, core::Icon::Critical);
    EXPECT_TRUE(t.platform.documentsOpened.empty());

    // A viewer field never written holds zero bytes, which are no part of a program's name.
    core::Record record = t.session.company().general.record();
    record.fill(259, 120, 0);
    t.session.company().general = core::GeneralSettings(record);
    ASSERT_EQ(company::saveGeneralSettings(t.session), 0);
    openHelpDocument(t.session, 1);
    EXPECT_EQ(t.platform.started.back().program, "");
}

}  // namespace
}  // namespace kalvora::launcher
