#include "company/register_numbering.h"
#include "support/test_session.h"

#include <gtest/gtest.h>

namespace kalvora::company {
namespace {

// Company 003 current in 2015; its header has blanks around the name and tax code, and an accent.
struct Numbering : testing::TestSession {
    RegisterNumberingForm form{session};
    Numbering(const std::string& first, const std::string& last, bool anno) : TestSession(core::Date{2015, 3, 9}) {
        drive.makeInstallation(3);
        session.company().code = 3;
        drive.write("kalwin/kalwin/kalaz0.003/kalvora.int",
                    "  Rossi Attivit\xE0 Srl \r\nVia Roma 1\r\n\r\n\r\n\r\n\r\n\r\n\r\n RSSMRA80A01H501U \r\n");
        form.open();
        form.setText(0, "  Libro giornale ");
        form.setText(1, first);
        form.setText(2, last);
        form.setAnno(anno);
    }
    // Per page: its texts in order.
    std::vector<std::vector<std::string>> pages() const {
        std::vector<std::vector<std::string>> out(1);
        for (const core::PrintOp& op : platform.printJobs.at(0).ops)
            if (op.kind == core::PrintOp::Kind::NewPage)
                out.emplace_back();
            else
                out.back().push_back(op.text);
        return out;
    }
};

TEST(RegisterNumbering, OnePagePerNumberWithHeaderAndLabel) {
    const std::string header = "Libro giornale  -  Rossi Attività Srl - C.Fisc.RSSMRA80A01H501U";
    const std::tuple<bool, std::string, std::string, std::vector<std::string>> cases[] = {
        {false, "7", "9", {"Pagina 7", "Pagina 8", "Pagina 9"}},
        {true, " 99 ", "100", {"Pagina 2015/99", "Pagina 2015/100"}},
        {false, "0", "0", {"Pagina 0"}},
    };
    for (const auto& [anno, first, last, labels] : cases) {
        Numbering t(first, last, anno);
        t.platform.answers = {true};
        EXPECT_TRUE(t.form.print());
        EXPECT_EQ(t.platform.questions().at(0).text + " / " + t.platform.questions().at(0).title,
                  "Iniziare la stampa? / Numerazione registri");
        std::vector<std::vector<std::string>> expected;
        for (const std::string& label : labels) expected.push_back({header, label});
        EXPECT_EQ(t.pages(), expected);
        // The label ends at the right margin, under the header, in the printer font.
        const core::PrintOp& label = t.platform.printJobs[0].ops.back();
        EXPECT_DOUBLE_EQ(label.x1 + core::RecordingPrintJob().textWidth(label.text, label.font), 190.0);
        EXPECT_EQ(label.font.name, "arial");
        EXPECT_FALSE(t.platform.busy || t.form.closed());
    }
}

TEST(RegisterNumbering, BadPageNumbersAreRefusedBeforeAnyQuestion) {
    const std::string badFirst = "Il numero della pagina iniziale non è valido: scrivere un numero intero.";
    const std::string badLast = "Il numero della pagina finale non è valido: scrivere un numero intero.";
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"9", "7", "La pagina iniziale viene dopo la pagina finale: non c'è nessuna pagina da stampare."},
        {"", "7", badFirst}, {"-1", "3", badFirst}, {"1.5", "3", badFirst},
        {"1", "a", badLast}, {"1", "1234567890", badLast},
        {"1", "10001", "Non è possibile stampare più di 10.000 pagine alla volta."},
    };
    for (const auto& [first, last, message] : cases) {
        Numbering t(first, last, false);
        t.platform.defaultAnswer = true;
        EXPECT_FALSE(t.form.print());
        ASSERT_EQ(t.platform.shown.size(), 1u) << first << ".." << last;
        EXPECT_EQ(t.platform.shown[0].text + " / " + t.platform.shown[0].title, message + " / Attenzione");
        EXPECT_TRUE(t.platform.printJobs.empty());
    }
}

}  // namespace
}  // namespace kalvora::company
