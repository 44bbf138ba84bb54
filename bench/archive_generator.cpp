#include "archive_generator.h"

#include "core/archive_layouts.h"
#include "core/cp1252.h"
#include "core/dates.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string_view>

namespace kalvora::bench {

namespace {

using core::Field;
namespace con = core::con;
namespace gio = core::gio;
namespace tot = core::tot;

constexpr int chartSize = 9999;
constexpr int customerCount = 6000;

// ---------------------------------------------------------------------------------------------
// Raw record fields: the journal is a million records, so each is built in place once and only
// its changing fields are rewritten.

void putText(std::uint8_t* record, Field field, std::string_view utf8) {
    static thread_local std::string encoded;
    encoded.clear();
    core::appendCp1252(encoded, utf8);
    const std::size_t n = std::min(encoded.size(), field.width);
    std::memcpy(record + field.offset, encoded.data(), n);
    std::memset(record + field.offset + n, ' ', field.width - n);
}

void putInt16(std::uint8_t* record, std::size_t offset, int value) {
    const auto u = static_cast<std::uint16_t>(value);
    record[offset] = static_cast<std::uint8_t>(u & 0xFF);
    record[offset + 1] = static_cast<std::uint8_t>(u >> 8);
}

void putDouble(std::uint8_t* record, std::size_t offset, double value) {
    const auto u = std::bit_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i) record[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(u >> (8 * i));
}

// ---------------------------------------------------------------------------------------------
// Random choices that give the same sequence on every platform.

class Dice {
public:
    explicit Dice(std::uint64_t seed) : engine_(seed) {}
    double unit() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }
    int below(int n) { return static_cast<int>(unit() * n); }
    bool chance(double p) { return unit() < p; }
    // Favours the first items strongly: a few customers and suppliers do most of the business.
    int skewed(int n) { return std::min(n - 1, static_cast<int>(std::pow(unit(), 3.0) * n)); }
    // Cents between `low` and `high` euro, evenly spread over orders of magnitude.
    std::int64_t cents(double low, double high) {
        return std::llround(std::exp(std::log(low * 100) + unit() * (std::log(high * 100) - std::log(low * 100))));
    }
    template <class T>
    const T& pick(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(below(static_cast<int>(items.size())))];
    }

private:
    std::mt19937_64 engine_;
};

// ---------------------------------------------------------------------------------------------
// The chart: named accounts by group, then customers and suppliers to fill 9,999 accounts.

struct Stems {
    int group;
    int subgroup;
    std::vector<const char*> names;
};

const std::vector<Stems>& namedAccounts() {
    static const std::vector<Stems> stems = {
        {1, 1, {"Costi di impianto e ampliamento", "Software", "Marchi e brevetti", "Avviamento"}},
        {2, 1, {"Fabbricati", "Impianti generici", "Macchinari", "Attrezzature", "Automezzi", "Mobili e arredi",
                "Macchine d'ufficio elettroniche"}},
        {3, 1, {"F.do amm.to fabbricati", "F.do amm.to impianti", "F.do amm.to macchinari", "F.do amm.to attrezzature",
                "F.do amm.to automezzi", "F.do amm.to mobili e arredi"}},
        {4, 1, {"Partecipazioni in imprese controllate", "Depositi cauzionali", "Titoli a reddito fisso"}},
        {6, 1, {"Crediti v/dipendenti", "Anticipi a fornitori", "Crediti v/INAIL", "Note di credito da ricevere"}},
        {7, 1, {"IVA su acquisti", "Erario c/IVA", "Erario c/acconti IRES", "Crediti d'imposta"}},
        {8, 1, {"Cassa contanti", "Cassa valori bollati"}},
        {8, 2, {"Intesa Sanpaolo c/c", "UniCredit c/c", "Banco BPM c/c", "BPER Banca c/c", "Crédit Agricole c/c",
                "Poste Italiane c/c"}},
        {9, 1, {"Merci in magazzino", "Materie prime", "Prodotti finiti", "Semilavorati"}},
        {10, 1, {"Ratei attivi", "Risconti attivi"}},
        {21, 1, {"Mutuo ipotecario", "Finanziamento chirografario", "Anticipi su fatture"}},
        {22, 1, {"IVA su vendite", "Erario c/ritenute lavoro dipendente", "Erario c/ritenute lavoro autonomo",
                 "Debiti per IRES", "Debiti per IRAP"}},
        {23, 1, {"Debiti v/INPS", "Debiti v/INAIL", "Debiti v/fondi pensione"}},
        {24, 1, {"Debiti v/dipendenti", "Debiti v/soci", "Clienti c/anticipi"}},
        {25, 1, {"Fondo TFR", "Fondo rischi su crediti", "Fondo svalutazione crediti"}},
        {26, 1, {"Ratei passivi", "Risconti passivi"}},
        {30, 1, {"Capitale sociale", "Riserva legale", "Riserva straordinaria", "Utili portati a nuovo",
                 "Perdite portate a nuovo"}},
        {50, 1, {"Bilancio di apertura", "Bilancio di chiusura"}},
        {51, 1, {"Merci c/vendite", "Prestazioni di servizi", "Ricavi per trasporti", "Resi su vendite"}},
        {52, 1, {"Fitti attivi", "Plusvalenze", "Sopravvenienze attive", "Contributi in conto esercizio"}},
        {55, 1, {"Interessi attivi bancari", "Sconti e abbuoni attivi"}},
        {60, 1, {"Merci c/acquisti", "Materie prime c/acquisti", "Materiali di consumo", "Imballaggi"}},
        {61, 1, {"Energia elettrica", "Gas e riscaldamento", "Acqua", "Telefono e internet", "Consulenze",
                 "Pubblicità e promozione", "Manutenzioni e riparazioni", "Trasporti su acquisti", "Assicurazioni",
                 "Spese postali", "Pulizia locali"}},
        {62, 1, {"Affitti passivi", "Canoni di leasing", "Noleggi"}},
        {63, 1, {"Salari e stipendi", "Oneri sociali INPS", "Premi INAIL", "Accantonamento TFR"}},
        {64, 1, {"Amm.to fabbricati", "Amm.to impianti", "Amm.to macchinari", "Amm.to automezzi"}},
        {65, 1, {"Cancelleria", "Carburanti e lubrificanti", "Imposte e tasse deducibili", "Spese di rappresentanza",
                 "Valori bollati", "Omaggi a clienti"}},
        {66, 1, {"Interessi passivi bancari", "Spese e commissioni bancarie", "Interessi di mora"}},
        {70, 1, {"IRES dell'esercizio", "IRAP dell'esercizio"}},
        {80, 1, {"Profitti e perdite"}},
    };
    return stems;
}

const std::vector<std::string> surnames = {
    "Rossi", "Russo", "Ferrari", "Esposito", "Bianchi", "Romano", "Colombo", "Ricci", "Marino", "Greco",
    "Bruno", "Gallo", "Conti", "De Luca", "Mancini", "Costa", "Giordano", "Rizzo", "Lombardi", "Moretti",
    "Barbieri", "Fontana", "Santoro", "Mariani", "Rinaldi", "Caruso", "Ferrara", "Galli", "Martini", "Leone",
    "Longo", "Gentile", "Martinelli", "Vitale", "Serra", "Coppola", "De Santis", "D'Angelo", "Marchetti", "Parisi",
    "Villa", "Conte", "Ferraro", "Fabbri", "Marini", "Grasso", "Valentini", "Messina", "Sala", "Gatti",
    "Pellegrini", "Palumbo", "Sanna", "Farina", "Monti", "Cattaneo", "Morelli", "Amato", "Silvestri", "Dell'Orto"};
const std::vector<std::string> firstNames = {
    "Mario", "Luca", "Giuseppe", "Francesco", "Antonio", "Giovanni", "Marco", "Andrea", "Paolo", "Stefano",
    "Alessandro", "Roberto", "Giulia", "Francesca", "Chiara", "Sara", "Laura", "Anna", "Maria", "Elena",
    "Valentina", "Silvia", "Federica", "Martina", "Niccolò", "Mattia", "Lucia", "Simona", "Davide", "Noemi"};
const std::vector<std::string> trades = {
    "Ferramenta", "Tipografia", "Autofficina", "Pasticceria", "Trasporti", "Edilizia", "Impianti elettrici",
    "Studio tecnico", "Farmacia", "Alimentari", "Arredamenti", "Ceramiche", "Calzaturificio", "Caseificio",
    "Tessitura", "Carpenteria", "Lavanderia", "Elettronica", "Informatica", "Ottica", "Agenzia viaggi", "Vivai",
    "Officine meccaniche", "Cantina sociale", "Hotel", "Ristorante", "Panificio", "Macelleria", "Gioielleria",
    "Società agricola"};
const std::vector<std::string> towns = {
    "Milano", "Torino", "Bologna", "Firenze", "Verona", "Padova", "Brescia", "Bergamo", "Cantù", "Forlì",
    "Città di Castello", "Paternò", "Mondovì", "Cefalù", "Santhià", "Pescara", "Lecce", "Cagliari", "Udine", "Trento"};
const std::vector<std::string> forms = {"Srl", "S.r.l.", "Spa", "Snc", "Sas", "& C. Snc", "Srls"};

std::string businessName(Dice& dice) {
    const std::string& surname = dice.pick(surnames);
    switch (dice.below(6)) {
    case 0: return surname + " " + dice.pick(firstNames);
    case 1: return dice.pick(trades) + " " + surname + " " + dice.pick(forms);
    case 2: return surname + " " + dice.pick(forms);
    case 3: return dice.pick(trades) + " " + dice.pick(towns) + " " + dice.pick(forms);
    case 4: return "F.lli " + surname + " " + dice.pick(forms);
    default: return surname + " & " + dice.pick(surnames) + " " + dice.pick(forms);
    }
}

struct Account {
    std::string code;  // GGSSNNNN
    std::string description;
};

std::string accountCode(int group, int subgroup, int number) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d%02d%04d", group % 100, subgroup % 100, number % 10000);
    return text;
}

std::vector<Account> buildChart(Dice& dice) {
    std::vector<Account> chart;
    chart.reserve(chartSize);
    for (const Stems& s : namedAccounts())
        for (std::size_t i = 0; i < s.names.size(); ++i)
            chart.push_back({accountCode(s.group, s.subgroup, static_cast<int>(i) + 1), s.names[i]});
    // Customers in Italy, in the EU and outside it; suppliers in Italy and in the EU.
    const int suppliers = chartSize - customerCount - static_cast<int>(chart.size());
    for (int i = 0; i < customerCount; ++i) {
        const int subgroup = i < 5000 ? 1 : i < 5700 ? 2 : 3;
        const int number = i < 5000 ? i + 1 : i < 5700 ? i - 4999 : i - 5699;
        chart.push_back({accountCode(5, subgroup, number), businessName(dice)});
    }
    for (int i = 0; i < suppliers; ++i)
        chart.push_back({accountCode(20, i < 3000 ? 1 : 2, i < 3000 ? i + 1 : i - 2999), businessName(dice)});
    std::sort(chart.begin(), chart.end(), [](const Account& a, const Account& b) { return a.code < b.code; });
    return chart;
}

int indexOf(const std::vector<Account>& chart, std::string_view description) {
    for (std::size_t i = 0; i < chart.size(); ++i)
        if (chart[i].description == description) return static_cast<int>(i);
    return -1;
}

// The journal's entries, built from the kinds of work a small company records all year. Related
// accounts are taken as neighbours in the chart (the revenues after "Merci c/vendite", the goods,
// consumables and services after "Merci c/acquisti", the banks after the first bank).
class JournalBuilder {
public:
    JournalBuilder(const std::vector<Account>& chart, Dice& dice, GeneratedCompany& out);
    // Writes every field of `record` for one entry dated `date` and adds its lines to the totals.
    void build(std::uint8_t* record, const core::Date& date);

private:
    struct Line {
        int side;
        int account;
        std::int64_t cents;
    };
    void add(int side, int account, std::int64_t cents) { lines_.push_back({side, account, cents}); }
    int customer() { return firstCustomer_ + dice_.skewed(customerCount); }
    int supplier() { return firstSupplier_ + dice_.skewed(suppliers_); }
    int bank() { return bank_ + (dice_.chance(0.7) ? 0 : dice_.below(6)); }
    std::int64_t vat(std::int64_t net) {
        const int rate = dice_.chance(0.8) ? 22 : dice_.chance(0.75) ? 10 : 4;
        return (net * rate + 50) / 100;
    }
    void sale(const core::Date& date);
    void purchase(const core::Date& date);
    void collection();
    void payment();
    void cashExpense();
    void transfer();
    void salaries(const core::Date& date);
    void vatSettlement(const core::Date& date);
    void adjustment();

    const std::vector<Account>& chart_;
    Dice& dice_;
    GeneratedCompany& out_;
    std::vector<Line> lines_;
    std::string text_[3], document_;
    int causal_ = 0;
    double value_ = 0;
    int protocol_ = 0;
    int year_ = 0;
    int firstCustomer_, firstSupplier_, suppliers_;
    int cash_, bank_, vatPurchases_, vatSales_, vatAccount_, sales_, purchases_, bankCharges_;
    int wages_, socialCharges_, employees_, inps_, withholding_, stationery_, fuel_, postage_;
};

JournalBuilder::JournalBuilder(const std::vector<Account>& chart, Dice& dice, GeneratedCompany& out)
    : chart_(chart), dice_(dice), out_(out) {
    auto first = [&](std::string_view prefix) {
        for (std::size_t i = 0; i < chart.size(); ++i)
            if (chart[i].code.starts_with(prefix)) return static_cast<int>(i);
        return -1;
    };
    firstCustomer_ = first("05");
    firstSupplier_ = first("20");
    suppliers_ = first("21") - firstSupplier_;
    cash_ = indexOf(chart, "Cassa contanti");
    bank_ = indexOf(chart, "Intesa Sanpaolo c/c");
    vatPurchases_ = indexOf(chart, "IVA su acquisti");
    vatSales_ = indexOf(chart, "IVA su vendite");
    vatAccount_ = indexOf(chart, "Erario c/IVA");
    sales_ = indexOf(chart, "Merci c/vendite");
    purchases_ = indexOf(chart, "Merci c/acquisti");
    bankCharges_ = indexOf(chart, "Spese e commissioni bancarie");
    wages_ = indexOf(chart, "Salari e stipendi");
    socialCharges_ = indexOf(chart, "Oneri sociali INPS");
    employees_ = indexOf(chart, "Debiti v/dipendenti");
    inps_ = indexOf(chart, "Debiti v/INPS");
    withholding_ = indexOf(chart, "Erario c/ritenute lavoro dipendente");
    stationery_ = indexOf(chart, "Cancelleria");
    fuel_ = indexOf(chart, "Carburanti e lubrificanti");
    postage_ = indexOf(chart, "Spese postali");
}

const char* const months[] = {"gennaio", "febbraio", "marzo",     "aprile",  "maggio",   "giugno",
                              "luglio",  "agosto",   "settembre", "ottobre", "novembre", "dicembre"};

std::string format(const char* pattern, auto... values) {
    char text[96];
    std::snprintf(text, sizeof text, pattern, values...);
    return text;
}

void JournalBuilder::sale(const core::Date& date) {
    const int customer = this->customer();
    const std::int64_t net = dice_.cents(15, 25000), tax = vat(net);
    const std::int64_t first = dice_.chance(0.3) ? net * (20 + dice_.below(60)) / 100 : net;
    const std::int64_t carriage = dice_.chance(0.1) ? dice_.cents(8, 120) : 0;
    add(0, customer, net + tax + carriage);
    add(1, sales_, first);
    if (first != net) add(1, sales_ + 1 + dice_.below(2), net - first);
    if (carriage != 0) add(1, sales_ + 2, carriage);
    add(1, vatSales_, tax);
    text_[0] = format("Fattura di vendita n. %d/%d", ++protocol_, date.year);
    text_[1] = chart_[static_cast<std::size_t>(customer)].description;
    text_[2] = dice_.chance(0.2) ? format("Vs. ordine n. %d del %02d/%02d/%d", 1 + dice_.below(900), 1 + dice_.below(date.day),
                                          date.month, date.year)
                                 : "";
    document_ = format("%d/%d", protocol_, date.year);
    causal_ = 1;
    value_ = static_cast<double>(net + tax + carriage) / 100;
}

void JournalBuilder::purchase(const core::Date& date) {
    const int supplier = this->supplier();
    const int costs = dice_.chance(0.55) ? 1 : dice_.chance(0.55) ? 2 : dice_.chance(0.75) ? 3 : 4;
    std::int64_t net = 0;
    for (int i = 0; i < costs; ++i) {
        const std::int64_t amount = dice_.cents(5, 12000);
        // Goods most of the time; otherwise one of the consumables or services accounts.
        add(0, i == 0 && dice_.chance(0.6) ? purchases_ : purchases_ + 1 + dice_.below(17), amount);
        net += amount;
    }
    const std::int64_t tax = vat(net);
    add(0, vatPurchases_, tax);
    add(1, supplier, net + tax);
    document_ = format("%d/%c", 1 + dice_.below(9000), "ABCEFV"[dice_.below(6)]);
    text_[0] = "Fattura di acquisto n. " + document_;
    text_[1] = chart_[static_cast<std::size_t>(supplier)].description;
    text_[2] = format("Protocollo acquisti n. %d/%d", ++protocol_, date.year);
    causal_ = 11;
    value_ = static_cast<double>(net + tax) / 100;
}

void JournalBuilder::collection() {
    const int customer = this->customer();
    const std::int64_t total = dice_.cents(20, 30000);
    const int into = dice_.chance(0.8) ? bank() : cash_;
    if (into != cash_ && dice_.chance(0.2)) {
        const std::int64_t fee = 100 + dice_.below(400);
        add(0, into, total - fee);
        add(0, bankCharges_, fee);
    } else {
        add(0, into, total);
    }
    add(1, customer, total);
    text_[0] = format("Incasso fattura n. %d/%d", 1 + dice_.below(protocol_ + 1), year_);
    text_[1] = chart_[static_cast<std::size_t>(customer)].description;
    static const std::vector<std::string> means = {"Bonifico bancario", "Ri.Ba. scadenza fine mese", "Assegno bancario",
                                                   "Contanti", "Carta di credito"};
    text_[2] = into == cash_ ? "Contanti" : dice_.pick(means);
    document_ = dice_.chance(0.5) ? format("RB %d", 1 + dice_.below(5000)) : "";
    causal_ = 21;
}

void JournalBuilder::payment() {
    const int supplier = this->supplier();
    const std::int64_t total = dice_.cents(20, 25000);
    const int from = bank();
    add(0, supplier, total);
    std::int64_t fee = 0;
    if (dice_.chance(0.25)) {
        fee = 100 + dice_.below(250);
        add(0, bankCharges_, fee);
    }
    add(1, from, total + fee);
    text_[0] = format("Pagamento fattura n. %d/%c", 1 + dice_.below(9000), "ABCEFV"[dice_.below(6)]);
    text_[1] = chart_[static_cast<std::size_t>(supplier)].description;
    text_[2] = dice_.chance(0.7) ? "Bonifico SEPA" : "Addebito diretto SDD";
    document_ = format("CRO %010d", dice_.below(2000000000));
    causal_ = 31;
}

void JournalBuilder::cashExpense() {
    static const std::vector<std::string> what = {"Acquisto cancelleria", "Rifornimento carburante", "Spese postali",
                                                  "Caffè e acqua per l'ufficio", "Pranzo di lavoro con clienti"};
    const int kind = dice_.below(static_cast<int>(what.size()));
    const int account = kind == 0 ? stationery_ : kind == 1 ? fuel_ : kind == 2 ? postage_ : stationery_ + 3;
    const std::int64_t net = dice_.cents(1.5, 300);
    std::int64_t total = net;
    add(0, account, net);
    if (kind < 2 && dice_.chance(0.5)) {
        const std::int64_t tax = (net * 22 + 50) / 100;
        add(0, vatPurchases_, tax);
        total += tax;
    }
    add(1, cash_, total);
    text_[0] = what[static_cast<std::size_t>(kind)];
    text_[1] = dice_.chance(0.3) ? "Scontrino n. " + std::to_string(1 + dice_.below(999)) : "";
    text_[2].clear();
    document_.clear();
    causal_ = 51;
}

void JournalBuilder::transfer() {
    const std::int64_t amount = dice_.cents(50, 20000);
    switch (dice_.below(3)) {
    case 0:
        add(0, bank_ + 1 + dice_.below(5), amount);
        add(1, bank_, amount);
        text_[0] = "Giroconto tra conti correnti";
        break;
    case 1:
        add(0, cash_, amount);
        add(1, bank_, amount);
        text_[0] = "Prelevamento contanti";
        break;
    default:
        add(0, bank_, amount);
        add(1, cash_, amount);
        text_[0] = "Versamento contanti in banca";
    }
    text_[1].clear();
    text_[2].clear();
    document_.clear();
    causal_ = 61;
}

void JournalBuilder::salaries(const core::Date& date) {
    const std::int64_t gross = dice_.cents(8000, 60000), social = gross * 30 / 100;
    const std::int64_t employeeShare = gross * 919 / 10000, withheld = gross * 23 / 100;
    add(0, wages_, gross);
    add(0, socialCharges_, social);
    add(1, employees_, gross - employeeShare - withheld);
    add(1, inps_, social + employeeShare);
    add(1, withholding_, withheld);
    text_[0] = format("Stipendi mese di %s %d", months[date.month - 1], date.year);
    text_[1] = "Liquidazione retribuzioni";
    text_[2].clear();
    document_ = format("LUL %02d/%d", date.month, date.year);
    causal_ = 41;
}

void JournalBuilder::vatSettlement(const core::Date& date) {
    const std::int64_t onSales = dice_.cents(2000, 40000), onPurchases = onSales * (30 + dice_.below(60)) / 100;
    add(0, vatSales_, onSales);
    add(1, vatPurchases_, onPurchases);
    add(1, vatAccount_, onSales - onPurchases);
    text_[0] = format("Liquidazione IVA %s %d", months[date.month - 1], date.year);
    text_[1] = "Versamento con modello F24";
    text_[2].clear();
    document_ = format("F24 %02d/%d", date.month, date.year);
    causal_ = 71;
}

// Closing and adjusting entries over any account of the chart, so that every account moves.
void JournalBuilder::adjustment() {
    const int debits = 1 + dice_.below(3), credits = 1 + dice_.below(std::min(3, 6 - debits));
    std::int64_t total = 0;
    for (int i = 0; i < debits; ++i) {
        const std::int64_t amount = dice_.cents(1, 5000);
        add(0, dice_.below(chartSize), amount);
        total += amount;
    }
    for (int i = 0; i < credits; ++i) {
        const std::int64_t amount = i + 1 == credits ? total : total * (10 + dice_.below(40)) / 100;
        add(1, dice_.below(chartSize), amount);
        total -= amount;
    }
    static const std::vector<std::string> what = {"Scrittura di rettifica", "Rateo interessi passivi",
                                                  "Quota annua di ammortamento", "Storno per errata registrazione",
                                                  "Giroconto di riclassificazione"};
    text_[0] = dice_.pick(what);
    text_[1] = text_[2] = document_ = "";
    causal_ = 81;
}

void JournalBuilder::build(std::uint8_t* record, const core::Date& date) {
    if (date.year != year_) protocol_ = 0;  // invoice numbers start again each year
    year_ = date.year;
    lines_.clear();
    value_ = 0;
    const double roll = dice_.unit();
    if (roll < 0.34) sale(date);
    else if (roll < 0.58) purchase(date);
    else if (roll < 0.74) collection();
    else if (roll < 0.86) payment();
    else if (roll < 0.94) cashExpense();
    else if (roll < 0.97) transfer();
    else if (roll < 0.98) salaries(date);
    else if (roll < 0.99) vatSettlement(date);
    else adjustment();

    char yyyymmdd[16];
    std::snprintf(yyyymmdd, sizeof yyyymmdd, "%04d%02d%02d", date.year, date.month, date.day);
    std::memcpy(record + gio::date.offset, yyyymmdd, gio::date.width);
    putText(record, gio::description1, text_[0]);
    putText(record, gio::description2, text_[1]);
    putText(record, gio::description3, text_[2]);
    putInt16(record, gio::marker.offset, 0);
    putText(record, gio::document, document_);
    const bool fromSplit = date.year >= out_.splitYear;
    for (int line = 0; line < gio::lineCount; ++line) {
        std::uint8_t* at = record + gio::firstLine + static_cast<std::size_t>(line) * gio::lineLength;
        const bool used = static_cast<std::size_t>(line) < lines_.size();
        const Line l = used ? lines_[static_cast<std::size_t>(line)] : Line{0, -1, 0};
        putInt16(at, gio::lineSide.offset, l.side);
        putText(at, gio::lineAccount, used ? std::string_view(chart_[static_cast<std::size_t>(l.account)].code) : "");
        putDouble(at, gio::lineAmount.offset, static_cast<double>(l.cents) / 100);
        if (!used) continue;
        auto& totals = l.side == 0 ? out_.debit : out_.credit;
        totals[static_cast<std::size_t>(l.account)] += l.cents;
        if (fromSplit) (l.side == 0 ? out_.debitFromSplit : out_.creditFromSplit)[static_cast<std::size_t>(l.account)] += l.cents;
    }
    putInt16(record, gio::number.offset, causal_);
    putDouble(record, gio::value.offset, value_);
    record[gio::state.offset] = dice_.chance(0.85) ? '0' : '1';
    static const std::vector<std::string> notes = {
        "Pagamento a 30 gg data fattura fine mese", "Merce consegnata presso il magazzino di Forlì",
        "Rif. contratto di fornitura annuale", "Sollecitato via PEC, in attesa di riscontro",
        "Importo già comunicato al commercialista"};
    putText(record, gio::notes, dice_.chance(0.12) ? std::string_view(dice_.pick(notes)) : "");
    putInt16(record, gio::tail.offset, causal_ == 1 || causal_ == 11 ? protocol_ % 30000 : 0);
}

}  // namespace

std::uint64_t GeneratedCompany::entriesBefore(int year) const {
    std::uint64_t n = 0;
    for (const auto& [y, count] : entriesByYear)
        if (y < year) n += count;
    return n;
}

int generateCompany(core::Files& files, const core::Installation& inst, int code, const GeneratorOptions& options,
                    GeneratedCompany& out) {
    out = GeneratedCompany();
    out.splitYear = options.splitYear;
    if (const int error = files.makeDirectories(inst.companyFolder(code)); error != 0) return error;
    Dice dice(options.seed);
    const std::vector<Account> chart = buildChart(dice);
    out.accounts = static_cast<int>(chart.size());
    for (const Account& a : chart) out.codes.push_back(a.code);
    out.openingAccount = chart[static_cast<std::size_t>(indexOf(chart, "Bilancio di apertura"))].code;
    out.closingAccount = chart[static_cast<std::size_t>(indexOf(chart, "Bilancio di chiusura"))].code;
    out.profitAndLossAccount = chart[static_cast<std::size_t>(indexOf(chart, "Profitti e perdite"))].code;
    for (auto* totals : {&out.debit, &out.credit, &out.debitFromSplit, &out.creditFromSplit})
        totals->assign(chart.size(), 0);

    // The journal, in date order: the same number of entries on every day of the span.
    core::RecordWriter journal;
    if (const int error = files.createRecords(inst.companyFile(code, gio::archive.file), gio::archive.recordLength, journal);
        error != 0)
        return error;
    JournalBuilder builder(chart, dice, out);
    std::vector<std::uint8_t> record(gio::archive.recordLength, 0);
    const long long firstDay = core::toDayNumber({options.firstYear, 1, 4});
    const long long days = core::toDayNumber({options.lastYear, 11, 30}) - firstDay + 1;
    long long dayShown = -1;
    core::Date date;
    for (std::uint64_t i = 0; i < options.entries; ++i) {
        const long long day = firstDay + static_cast<long long>(i * static_cast<std::uint64_t>(days) / options.entries);
        if (day != dayShown) date = core::fromDayNumber(dayShown = day);
        builder.build(record.data(), date);
        ++out.entriesByYear[date.year];
        if (const int error = journal.append(core::RecordView(record.data(), record.size())); error != 0) return error;
    }
    if (const int error = journal.finish(); error != 0) return error;
    out.entries = options.entries;
    out.journalBytes = options.entries * gio::archive.recordLength;

    // The chart with totals that agree with the journal.
    core::RecordWriter accounts;
    if (const int error = files.createRecords(inst.companyFile(code, con::archive.file), con::archive.recordLength, accounts);
        error != 0)
        return error;
    for (std::size_t i = 0; i < chart.size(); ++i) {
        std::vector<std::uint8_t> bytes(con::archive.recordLength, 0);
        putText(bytes.data(), con::code, chart[i].code);
        putText(bytes.data(), con::description, chart[i].description);
        const double debit = static_cast<double>(out.debit[i]) / 100, credit = static_cast<double>(out.credit[i]) / 100;
        putDouble(bytes.data(), con::balance.offset, static_cast<double>(out.debit[i] - out.credit[i]) / 100);
        putDouble(bytes.data(), con::debit.offset, debit);
        putDouble(bytes.data(), con::credit.offset, credit);
        if (const int error = accounts.append(core::RecordView(bytes.data(), bytes.size())); error != 0) return error;
    }
    if (const int error = accounts.finish(); error != 0) return error;

    // The counts last: they describe files that are whole on disk.
    constexpr std::size_t countRecords = 50;
    std::string counts(tot::recordLength * countRecords, '\0');
    auto setCount = [&](std::uint64_t record, std::uint64_t count) {
        putDouble(reinterpret_cast<std::uint8_t*>(counts.data()), (record - 1) * tot::recordLength + tot::count.offset,
                  static_cast<double>(count));
    };
    setCount(con::archive.countRecord, chart.size());
    setCount(gio::archive.countRecord, options.entries);
    return files.replaceFile(inst.companyFile(code, "kalvora.tot"), counts);
}

}  // namespace kalvora::bench
