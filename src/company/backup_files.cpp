#include "company/backup_files.h"

#include "core/text.h"

#include <algorithm>
#include <array>

namespace kalvora::company {

namespace {

struct ExtensionRule {
    std::array<std::string_view, 5> extensions;
    std::string_view description;
};

// Whole extensions (the last four characters), checked after the rules on the start of the
// name: a match here has the last word.
constexpr std::array<ExtensionRule, 21> extensionRules = {{
    {{".SOC"}, "Archivio per la gestione dei soci"},
    {{".AGE", ".SRG"}, "Archivio per la gestione degli agenti"},
    {{".CLI", ".SRC", ".XCL"}, "Archivio per la gestione dei clienti"},
    {{".FOR", ".SRF"}, "Archivio per la gestione dei fornitori"},
    {{".ART", ".SRA", ".SRB", ".PRX", ".PRO"}, "Archivio per la gestione degli articoli"},
    {{".CON", ".AUT", ".MAS"}, "Archivio per la gestione del piano dei conti"},
    {{".FTE", ".F2E"}, "Archivio per la gestione delle fatture emesse"},
    {{".FTR", ".F2R"}, "Archivio per la gestione delle fatture ricevute"},
    {{".COR", ".CRR"}, "Archivio per la gestione dei corrispettivi"},
    {{".BOL"}, "Archivio per la gestione dei documenti di trasporto"},
    {{".MAG"}, "Archivio per la gestione dei movimenti di magazzino"},
    {{".GIO"}, "Archivio per la gestione dei movimenti contabili"},
    {{".ORC"}, "Archivio per la gestione degli ordini clienti"},
    {{".ORF"}, "Archivio per la gestione degli ordini fornitori"},
    {{".PRE", ".PRV"}, "Archivio per la gestione dei preventivi"},
    {{".LAV"}, "Archivio per la gestione del conto lavorazione"},
    {{".DEP"}, "Archivio per la gestione del conto deposito"},
    {{".TOT"}, "Archivio per la gestione degli indici"},
    {{".TAB"}, "Archivio per la gestione delle tabelle"},
    {{".SCO"}, "Archivio per la gestione degli scontrini fiscali"},
    {{".RIC"}, "Archivio per la gestione delle ricevute fiscali"},
}};

// Names a company folder holds that are never anybody's archive to copy: the backup folders
// and the registry copy kept aside.
constexpr std::array<std::string_view, 3> neverListed = {"KALVORA.BAK", "KALAZ0.BAK", "KALAZ0.BKK"};

}  // namespace

std::string describeFile(std::string_view fileName) {
    const std::string name = core::upper(fileName);
    const std::string_view n = name;
    const std::string_view ext = n.size() >= 4 ? n.substr(n.size() - 4) : n;
    // A reprint file: a letter and a digit 1-9, or three letters and a number above zero.
    const auto numbered = [&](char letter, std::string_view prefix) {
        const bool digit = n.size() >= 2 && n[0] == letter && n[1] >= '1' && n[1] <= '9';
        return digit || (n.starts_with(prefix) && core::numericValue(core::mid(n, 4, 3)) > 0);
    };
    std::string_view d = "File non riconosciuto";
    // Later rules win: each match replaces what an earlier one said.
    if (n.starts_with("KAL")) d = "Archivio operativo";
    if (ext.starts_with(".$")) d = "Archivio per la gestione dei riordini";
    if (ext.starts_with(".T")) d = "Archivio per la gestione delle tabelle";
    if (ext.starts_with(".L")) d = "Archivio per la gestione della grafica dei documenti";
    if (ext.starts_with(".I")) d = "Archivio per la gestione delle tabelle iva";
    if (ext.starts_with(".EM")) d = "File obsoleto";
    if (ext.starts_with(".ET")) d = "Archivio per la gestione delle etichette";
    if (numbered('B', "BLL")) d = "File ristampa DDT";
    if (n.starts_with("BOL")) d = "File obsoleto";
    if (numbered('F', "FTR")) d = "File ristampa fatture";
    if (n.starts_with("FAT")) d = "File obsoleto";
    if (numbered('P', "PAR")) d = "File ristampa parcelle";
    if (numbered('R', "RIC")) d = "File ristampa ricevute";
    if (n.starts_with("RFS")) d = "File obsoleto";
    if (n.starts_with("FPA") && core::numericValue(core::mid(n, 4, 3)) > 0) d = "File gestione fatturePA";
    for (const ExtensionRule& rule : extensionRules)
        if (ext.size() == 4 && std::find(rule.extensions.begin(), rule.extensions.end(), ext) != rule.extensions.end())
            d = rule.description;
    return std::string(d);
}

bool proposedNotToRestore(std::string_view description) {
    return description == "File obsoleto" || description == "File non riconosciuto";
}

int listCompanyFiles(const core::Files& files, const std::string& folder, FileScope scope,
                     std::vector<std::string>& names) {
    names.clear();
    std::vector<core::DirEntry> entries;
    if (const int error = files.list(folder, entries); error != 0) return error;
    for (const core::DirEntry& entry : entries) {
        if (entry.isDirectory) continue;  // a folder is no archive: copying it could only fail
        const std::string name = core::upper(entry.name);
        if (std::find(neverListed.begin(), neverListed.end(), name) != neverListed.end()) continue;
        // The operating archives: KALVORA.* and the yearly KALyyyy.COR / KALyyyy.CRR.
        const std::string yearly = core::mid(name, 9, 3);
        if (scope == FileScope::Operating &&
            !(name.starts_with("KAL") && (name.starts_with("KALVORA") || yearly == "COR" || yearly == "CRR")))
            continue;
        names.push_back(entry.name);
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return core::upper(a) < core::upper(b); });
    return 0;
}

}  // namespace kalvora::company
