#include "company/backup_files.h"

#include "core/filesystem_memory.h"

#include <gtest/gtest.h>

namespace kalvora::company {
namespace {

// Each name with what the recognition rules make of it: the examples the users know, and each
// rule's edge (a later rule wins; the name's start first, the extension last).
TEST(BackupFiles, EveryRuleAndItsEdges) {
    const std::pair<const char*, const char*> cases[] = {
        {"RIC123.DAT", "File ristampa ricevute"}, {"BOL001.DAT", "File obsoleto"},
        {"KALVORA.CLI", "Archivio per la gestione dei clienti"}, {"kalvora.xyz", "Archivio operativo"},
        {"kal2026.cor", "Archivio per la gestione dei corrispettivi"},
        {"KALVORA.TAB", "Archivio per la gestione delle tabelle"},
        {"ARTICOLI.T01", "Archivio per la gestione delle tabelle"},
        {"X.$01", "Archivio per la gestione dei riordini"},
        {"MODELLO.LAY", "Archivio per la gestione della grafica dei documenti"},
        {"ALIQUOTE.IVA", "Archivio per la gestione delle tabelle iva"}, {"VECCHIO.EMX", "File obsoleto"},
        {"KALVORA.ETI", "Archivio per la gestione delle etichette"}, {"B1.DAT", "File ristampa DDT"},
        {"B0.DAT", "File non riconosciuto"}, {"BLL001.DAT", "File ristampa DDT"},
        {"BLL000.DAT", "File non riconosciuto"}, {"F9", "File ristampa fatture"},
        {"FTR010.DAT", "File ristampa fatture"}, {"FAT01.DAT", "File obsoleto"},
        {"P1.DAT", "File ristampa parcelle"}, {"PAR002.DAT", "File ristampa parcelle"},
        {"R1.DAT", "File ristampa ricevute"}, {"RFS01.DAT", "File obsoleto"},
        {"FPA001.XML", "File gestione fatturePA"}, {"FPA000.XML", "File non riconosciuto"},
        {"R1.RIC", "Archivio per la gestione delle ricevute fiscali"},
        {"FTR001.F2E", "Archivio per la gestione delle fatture emesse"},
        {"BOL.BOL", "Archivio per la gestione dei documenti di trasporto"},
        {"KALVORA.PRO", "Archivio per la gestione degli articoli"},
        {"KALVORA.MAS", "Archivio per la gestione del piano dei conti"},
        {"SOCI.SOC", "Archivio per la gestione dei soci"}, {"ABC", "File non riconosciuto"},
        {"", "File non riconosciuto"},
    };
    for (const auto& [name, description] : cases) EXPECT_EQ(describeFile(name), description) << name;
    EXPECT_TRUE(proposedNotToRestore("File obsoleto") && proposedNotToRestore("File non riconosciuto"));
    EXPECT_FALSE(proposedNotToRestore("Archivio operativo"));
}

TEST(BackupFiles, BothScopesListTheirFilesSortedAndNeverTheBackupFolders) {
    core::MemoryFileSystem fs;
    core::Files files(fs);
    ASSERT_EQ(files.makeDirectories("/az/kalaz0.bak"), 0);
    ASSERT_EQ(files.makeDirectory("/az/altro"), 0);
    for (const char* name : {"kalvora.tab", "KAL2026.COR", "kal2025.crr", "kalvora.bak", "KALAZ0.BKK", "bol001.dat",
                             "RIC123.DAT", "kalxxxx.dat", "kal20.cor"})
        ASSERT_EQ(files.replaceFile(std::string("/az/") + name, "x"), 0);
    std::vector<std::string> names;
    ASSERT_EQ(listCompanyFiles(files, "/az", FileScope::Operating, names), 0);
    EXPECT_EQ(names, (std::vector<std::string>{"kal2025.crr", "KAL2026.COR", "kalvora.tab"}));
    ASSERT_EQ(listCompanyFiles(files, "/az", FileScope::All, names), 0);
    EXPECT_EQ(names, (std::vector<std::string>{"bol001.dat", "kal20.cor", "kal2025.crr", "KAL2026.COR", "kalvora.tab",
                                               "kalxxxx.dat", "RIC123.DAT"}));
    EXPECT_EQ(listCompanyFiles(files, "/manca", FileScope::All, names), ENOENT);
    EXPECT_TRUE(names.empty());
}

}  // namespace
}  // namespace kalvora::company
