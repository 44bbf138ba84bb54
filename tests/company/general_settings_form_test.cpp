#include "company/general_settings_form.h"

#include "company/settings_loader.h"
#include "core/stored_path.h"
#include "core/text.h"
#include "support/test_session.h"
#include "tables/tables_model.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <sys/stat.h>

namespace kalvora::company {
namespace {

using Check = GeneralSettingsForm::Check;

const std::string gnr = "kalwin/kalwin/kalaz0.000/kalvora.gnr";
const std::string eur = "kalwin/kalwin/kalvora.eur";

// A record with every byte value somewhere, the marker "9", the default VAT code `code` and
// the window's flags all "0" or 0.
std::string storedRecord(std::string_view code = "05") {
    std::string bytes(core::GeneralSettings::recordLength, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 37 + 11) & 0xFF);
    bytes.replace(183, 2, "90").replace(201, 3, "000").replace(243, 4, std::string(4, '\0'));
    bytes.replace(249, 2, code).replace(251, 3, std::string("\0\0" "0", 3)).replace(257, 2, "00");
    return bytes;
}

// A double as the record stores it: 8 bytes, little-endian.
std::string doubleBytes(double value) {
    auto u = std::bit_cast<std::uint64_t>(value);
    std::string out;
    for (int i = 0; i < 8; ++i, u >>= 8) out += static_cast<char>(u & 0xFF);
    return out;
}

struct GeneralSettingsFormTest : ::testing::Test, testing::TestSession {
    void SetUp() override {
        drive.makeInstallation(0);
        tables::TablesFile mine;
        mine.t1.at(1, 0) = " 22 ";
        mine.t1.at(16, 0) = "4";
        mine.t3.at(1, 0) = "Art. 8 c.1";
        const tables::TablePart parts[] = {{&tables::TablesFile::t1, 1, 16, 0, 0}, {&tables::TablesFile::t3, 1, 16, 0, 0}};
        drive.write("kalwin/kalwin/kalaz0.000/kalvora.tab", tables::tablesBytes({}, mine, parts));
        drive.write(gnr, storedRecord());
        drive.write(eur, "1\r\n1936.27\r\nITL\r\nEUR\r\n2\r\n0\r\n7\r\n");
        loadCompanySettings(session);
    }
    std::unique_ptr<GeneralSettingsForm> opened() {
        auto form = std::make_unique<GeneralSettingsForm>(session);
        form->open();
        return form;
    }
    // A program under the drive whose stored form ("\\lettori\\xx...è") is `length` characters.
    std::string program(std::size_t length, bool executable = true) {
        const std::string start = drive.path("lettori") + "/";
        std::string path = start + std::string(length - std::string("\\lettori\\").size() - 1, 'x') + "è";
        drive.write(path.substr(drive.root().size() + 1), "#!/bin/sh\n");
        ::chmod(path.c_str(), executable ? 0755 : 0644);
        return path;
    }
};

TEST_F(GeneralSettingsFormTest, OpeningShowsTheFilesAndBuildsTheVatList) {
    const auto form = opened();
    ASSERT_EQ(form->vatCodes().size(), 32u);
    EXPECT_EQ(form->vatCodes()[0], "1 Iva 22%");
    EXPECT_EQ(form->vatCodes()[15], "16 Iva 4%");
    EXPECT_EQ(form->vatCodes()[16], "17 Art. 8 c.1");
    EXPECT_EQ(form->vatCodes()[31], "32 ");
    EXPECT_EQ(form->currencyCode(), "EUR");
    EXPECT_EQ(form->decimals(), 0);
    EXPECT_EQ(form->vatCode(), 4);
    for (int box = 0; box < GeneralSettingsForm::checkCount; ++box)
        EXPECT_FALSE(form->checked(static_cast<Check>(box))) << box;
}

TEST_F(GeneralSettingsFormTest, StoredVatCodeOutsideTheListShowsCodeOne) {
    const std::pair<std::string_view, int> cases[] = {{"00", 0}, {"33", 0}, {"ab", 0}, {"01", 0}, {"32", 31}, {"17", 16}};
    for (const auto& [code, position] : cases) {
        drive.write(gnr, storedRecord(code));
        EXPECT_EQ(opened()->vatCode(), position) << code;
    }
}

// Every field of the window set away from what the file holds, the PDF reader path 120
// characters long with an "è": the window's bytes take the new values, every other byte stays.
TEST_F(GeneralSettingsFormTest, SaveWritesTheWindowsFieldsAndNothingElse) {
    const auto form = opened();
    for (Check box : {Check::Liste, Check::Lettura0, Check::Barre80, Check::Scorporo, Check::Cerca, Check::Peso,
                      Check::Anno, Check::Lotti, Check::Acro})
        form->setChecked(box, true);
    form->setVatCode(31);
    form->colourButton(2);
    const std::string reader = "/opt/lettore è/" + std::string(101, 'p') + "/pdf";
    ASSERT_TRUE(form->editPdfReader(reader + "tail"));
    EXPECT_EQ(form->pdfReader(), reader) << "cut to 120 characters";
    form->confirm();
    ASSERT_TRUE(form->closed());

    std::string expected = storedRecord();
    expected.replace(183, 2, "91").replace(185, 16, doubleBytes(16579315) + doubleBytes(16777215));
    expected.replace(201, 3, "101").replace(243, 4, std::string("\1\0\1\0", 4)).replace(249, 2, "32");
    expected.replace(251, 3, std::string("\1\0" "1", 3)).replace(257, 2, "11");
    expected.replace(259, 120, "/opt/lettore \xE8/" + std::string(101, 'p') + "/pdf");
    const std::string saved = drive.read(gnr);
    EXPECT_EQ(saved, expected);
    EXPECT_TRUE(testing::matchesGolden("company/general_settings.gnr", saved));
}

// A module program may write its fields while the window is open: the save starts from the
// file as it is then.
TEST_F(GeneralSettingsFormTest, FieldsOfTheModulesWrittenMeanwhileSurvive) {
    const auto form = opened();
    std::string meanwhile = storedRecord();
    meanwhile.replace(0, 18, std::string(18, 'M')).replace(379, 100, std::string(100, 'N')).replace(254, 3, "007");
    drive.write(gnr, meanwhile);
    ASSERT_TRUE(form->editPdfReader("  /usr/bin/evince "));
    platform.colourAnswers = {0x123456};
    for (int box : {0, 1}) form->colourButton(box);  // the second dialog is cancelled
    form->confirm();
    EXPECT_EQ(drive.read(gnr), meanwhile.replace(185, 16, doubleBytes(0x123456) + doubleBytes(16777215))
                                   .replace(259, 120, core::padRight("/usr/bin/evince", 120)));
}

TEST_F(GeneralSettingsFormTest, CurrencyFileKeepsItsLaterLinesAndTheLoaderSeesTheChange) {
    const std::pair<std::string, std::string> cases[] = {
        {"1\r\n1936.27\r\nITL\r\nEUR\r\n2\r\n0\r\n7\r\nmodulo\r\n", "1\r\n1936.27\r\nITL\r\nCHF\r\n4\r\n0\r\n7\r\nmodulo\r\n"},
        {"0,\"1,5\",ITL,EUR,3\r\n6\r\n8\r\n", "0\r\n\"1,5\"\r\nITL\r\nCHF\r\n4\r\n6\r\n8\r\n"},
        {"", "1\r\n1936.27\r\nITL\r\nCHF\r\n4\r\n0\r\n"},  // missing: the defaults
    };
    for (const auto& [before, after] : cases) {
        if (before.empty()) std::remove(drive.path(eur).c_str());
        else drive.write(eur, before);
        const auto form = opened();
        EXPECT_FALSE(form->editCurrencyCode("C,HF")) << "a comma would split the item";
        ASSERT_TRUE(form->editCurrencyCode(" CHF "));
        form->setDecimals(2);
        form->confirm();
        EXPECT_EQ(drive.read(eur), after);
        EXPECT_EQ(session.company().currency[4], "CHF");
        EXPECT_EQ(session.company().currency[5], "4") << "the settings were loaded again";
    }
    EXPECT_EQ(session.company().currency[11], "9");
}

// Any executable file is taken as the PDF reader when the record can hold its path.
TEST_F(GeneralSettingsFormTest, PdfReaderMustBeAnExecutableThatFits) {
    struct Case {
        std::size_t length;
        bool executable;
        bool taken;
    };
    for (const Case& c : {Case{120, true, true}, Case{130, true, false}, Case{100, false, false}}) {
        const auto form = opened();
        const std::string path = program(c.length, c.executable);
        platform.fileAnswers = {path};
        platform.shown.clear();
        const std::string before = form->pdfReader();
        form->colourButton(3);
        EXPECT_EQ(form->pdfReader(), c.taken ? core::storedForm(drive.installation(), path) : before) << c.length;
        EXPECT_EQ(platform.messages().empty(), c.taken) << c.length;
    }
    EXPECT_NE(platform.last()->text.find("non è un programma eseguibile"), std::string::npos);
}

}  // namespace
}  // namespace kalvora::company
