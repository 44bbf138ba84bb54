#pragma once
// The catalogue of the suite's business modules, in menu order: where each stands in the main
// window's menus, the program the launcher starts, the title its window carries, its code in
// kalvora.prg and the position of the privilege string that denies it. The position of a
// module is also its product number for program updates.
#include <array>
#include <string_view>

namespace kalvora::core {

struct ModuleEntry {
    std::string_view group;     // m_ven, m_acq, m_mag, m_con
    std::string_view submenu;   // empty when the entry stands in the group menu itself
    std::string_view entry;     // menu entry name
    std::string_view caption;
    std::string_view program;   // empty for the closing and opening windows of this program
    std::string_view title;
    std::string_view code;      // "=CLI"; empty for the closing and opening windows
    int position;
};

struct MenuName {
    std::string_view name;
    std::string_view caption;
    std::string_view parent;  // empty for a group menu
};

inline constexpr std::array<MenuName, 12> moduleMenus{{
    {"m_ven", "Vendite", ""},
    {"m_acq", "Acquisti", ""},
    {"m_mag", "Magazzino", ""},
    {"m_con", "Contabilità", ""},
    {"x_kalstc", "Stampe", "m_ven"},
    {"x_kalstf", "Stampe", "m_acq"},
    {"x_sca", "Scarico di magazzino", "m_mag"},
    {"x_car", "Carico di magazzino", "m_mag"},
    {"x_kalstm", "Stampe di magazzino", "m_mag"},
    {"x_gio", "Movimenti contabili", "m_con"},
    {"x_dic", "Comunicazioni fiscali", "m_con"},
    {"x_kalsti", "Stampe", "m_con"},
}};

inline constexpr std::array<ModuleEntry, 91> moduleCatalogue{{
    {"m_ven", "", "x_kalcli", "Gestione archivio clienti", "kalcli", "Gestione archivio clienti", "=CLI", 101},
    {"m_ven", "", "x_kalage", "Gestione archivio agenti", "kalage", "Gestione archivio agenti", "=AGE", 110},
    {"m_ven", "", "x_kalemf", "Emissione fatture di vendita", "kalemf", "Emissione fatture", "=EMF", 102},
    {"m_ven", "", "x_kalemx", "Fatturazione automatica DDT", "kalemx", "Fatturazione automatica", "=EMX", 111},
    {"m_ven", "", "x_kalemr", "Emissione ricevute fiscali", "kalemr", "Emissione ricevute fiscali", "=EMR", 103},
    {"m_ven", "", "x_kalemp", "Emissione parcelle", "kalemp", "Emissione parcelle", "=EMP", 104},
    {"m_ven", "", "x_kalemb", "Emissione ricevute bancarie", "kalemb", "Emissione ricevute bancarie", "=EMB", 105},
    {"m_ven", "", "x_kalrca", "Vendite al banco", "kalrca", "Emissione scontrino", "=RCA", 182},
    {"m_ven", "", "x_kalcor", "Gestione corrispettivi di vendita", "kalcor", "Gestione corrispettivi", "=COR", 106},
    {"m_ven", "", "x_kalfte", "Gestione fatture emesse", "kalfte", "Gestione fatture emesse", "=FTE", 107},
    {"m_ven", "", "x_kalrfe", "Gestione ricevute fiscali emesse", "kalrfe", "Gestione ricevute fiscali emesse", "=RFE", 112},
    {"m_ven", "", "x_kalinc", "Gestione incassi fatture emesse", "kalinc", "Gestione incassi fatture emesse", "=INC", 108},
    {"m_ven", "", "x_kalscp", "Gestione scheda prestazioni clienti", "kalscp", "Gestione scheda prestazioni", "=SCP", 109},
    {"m_ven", "x_kalstc", "x_kalstcc", "Elenco clienti", "kalstcc", "Elenco clienti", "=STCC", 115},
    {"m_ven", "x_kalstc", "x_kalstck", "Controllo codici contabili clienti", "kalstck", "Controllo codici contabili clienti", "=STCK", 120},
    {"m_ven", "x_kalstc", "x_kalstct", "Rubrica clienti", "kalstct", "Rubrica clienti", "=STCT", 125},
    {"m_ven", "x_kalstc", "x_kalstce", "Etichette clienti", "kalstce", "Etichette clienti", "=STCE", 117},
    {"m_ven", "x_kalstc", "x_kalstcs", "Schede clienti", "kalstcs", "Schede clienti", "=STCS", 124},
    {"m_ven", "x_kalstc", "x_kalstcp", "Controllo pagamenti clienti", "kalstcp", "Controllo pagamenti clienti", "=STCP", 122},
    {"m_ven", "x_kalstc", "x_kalstcf", "Elenco fatture emesse", "kalstcf", "Elenco fatture emesse", "=STCF", 118},
    {"m_ven", "x_kalstc", "x_kalstcr", "Elenco ricevute fiscali emesse", "kalstcr", "Elenco ricevute fiscali emesse", "=STCR", 123},
    {"m_ven", "x_kalstc", "x_kalstci", "Registro incassi", "kalstci", "Registro incassi", "=STCI", 119},
    {"m_ven", "x_kalstc", "x_kalstcx", "Situazione pagamenti fatture emesse", "kalstcx", "Controllo pagamenti fatture emesse", "=STCX", 127},
    {"m_ven", "x_kalstc", "x_kalstcd", "Scadenziario fatture emesse", "kalstcd", "Scadenziario fatture emesse", "=STCD", 116},
    {"m_ven", "x_kalstc", "x_kalstcu", "Elenco fatture emesse scadute", "kalstcu", "Elenco fatture emesse scadute", "=STCU", 126},
    {"m_ven", "x_kalstc", "x_kalstca", "Analisi fatturato clienti", "kalstca", "Analisi fatturato clienti", "=STCA", 113},
    {"m_ven", "x_kalstc", "x_kalstcm", "Analisi vendite a clienti", "kalstcm", "Analisi vendite a clienti", "=STCM", 121},
    {"m_ven", "x_kalstc", "x_kalstcb", "Analisi vendite da fatturare", "kalstcb", "Analisi vendite da fatturare", "=STCB", 114},
    {"m_acq", "", "x_kalfor", "Gestione archivio fornitori", "kalfor", "Gestione archivio fornitori", "=FOR", 128},
    {"m_acq", "", "x_kalftr", "Gestione fatture ricevute", "kalftr", "Gestione fatture ricevute", "=FTR", 129},
    {"m_acq", "", "x_kalpag", "Gestione pagamenti fatture ricevute", "kalpag", "Gestione pagamenti fatture ricevute", "=PAG", 130},
    {"m_acq", "x_kalstf", "x_kalstfc", "Elenco fornitori", "kalstfc", "Elenco fornitori", "=STFC", 132},
    {"m_acq", "x_kalstf", "x_kalstfk", "Controllo codici contabili fornitori", "kalstfk", "Controllo codici contabili fornitori", "=STFK", 137},
    {"m_acq", "x_kalstf", "x_kalstft", "Rubrica fornitori", "kalstft", "Rubrica fornitori", "=STFT", 141},
    {"m_acq", "x_kalstf", "x_kalstfe", "Etichette fornitori", "kalstfe", "Etichette fornitori", "=STFE", 134},
    {"m_acq", "x_kalstf", "x_kalstfs", "Schede fornitori", "kalstfs", "Schede fornitori", "=STFS", 140},
    {"m_acq", "x_kalstf", "x_kalstfp", "Situazione pagamenti fornitori", "kalstfp", "Controllo pagamenti fornitori", "=STFP", 139},
    {"m_acq", "x_kalstf", "x_kalstff", "Elenco fatture ricevute", "kalstff", "Elenco fatture ricevute", "=STFF", 135},
    {"m_acq", "x_kalstf", "x_kalstfi", "Registro pagamenti", "kalstfi", "Registro pagamenti", "=STFI", 136},
    {"m_acq", "x_kalstf", "x_kalstfx", "Situazione pagamenti fatture ricevute", "kalstfx", "Controllo pagamenti fatture ricevute", "=STFX", 143},
    {"m_acq", "x_kalstf", "x_kalstfd", "Scadenziario fatture ricevute", "kalstfd", "Scadenziario fatture ricevute", "=STFD", 133},
    {"m_acq", "x_kalstf", "x_kalstfu", "Elenco fatture ricevute scadute", "kalstfu", "Elenco fatture ricevute scadute", "=STFU", 142},
    {"m_acq", "x_kalstf", "x_kalstfa", "Analisi fatturato fornitori", "kalstfa", "Analisi fatturato fornitori", "=STFA", 131},
    {"m_acq", "x_kalstf", "x_kalstfm", "Analisi acquisti da fornitori", "kalstfm", "Analisi acquisti da fornitori", "=STFM", 138},
    {"m_mag", "", "x_kalart", "Gestione archivio articoli", "kalart", "Gestione archivio articoli", "=ART", 144},
    {"m_mag", "", "x_kalpro", "Gestione archivio prodotti", "kalpro", "Gestione archivio prodotti", "=PRO", 145},
    {"m_mag", "x_sca", "x_kalbol1", "Scarico per vendita - emissione DDT", "kalbol", "Scarico di magazzino", "=BOL", 146},
    {"m_mag", "x_sca", "x_kalbol2", "Altro tipo di scarico - emissione DDT", "kalbol", "Scarico di magazzino", "=SCA", 184},
    {"m_mag", "x_car", "x_kalacq1", "Carico per acquisto", "kalacq", "Carico di magazzino", "=ACQ", 147},
    {"m_mag", "x_car", "x_kalacq2", "Altro tipo di carico", "kalacq", "Carico di magazzino", "=CAR", 185},
    {"m_mag", "", "x_kalmag", "Gestione movimenti di magazzino", "kalmag", "Gestione movimenti di magazzino", "=MAG", 148},
    {"m_mag", "", "x_kalble", "Gestione documenti di trasporto emessi", "kalble", "Gestione documenti di trasporto emessi", "=BLE", 149},
    {"m_mag", "", "x_kalorc", "Gestione ordini clienti", "kalorc", "Gestione ordini clienti", "=ORC", 150},
    {"m_mag", "", "x_kalorf", "Gestione ordini fornitori", "kalorf", "Gestione ordini fornitori", "=ORF", 151},
    {"m_mag", "", "x_kaldis", "Distinta base", "kaldis", "Distinta base", "=DIS", 154},
    {"m_mag", "", "x_kalpre", "Gestione preventivi", "kalpre", "Gestione preventivi", "=PRE", 155},
    {"m_mag", "", "x_kallav", "Gestione c/lavorazioni", "kallav", "Gestione c/lavorazioni", "=LAV", 152},
    {"m_mag", "", "x_kaldep", "Gestione c/depositi", "kaldep", "Gestione c/depositi", "=DEP", 153},
    {"m_mag", "x_kalstm", "x_kalstma", "Elenco articoli", "kalstma", "Elenco articoli", "=STMA", 156},
    {"m_mag", "x_kalstm", "x_kalstme", "Etichette articoli", "kalstme", "Etichette articoli", "=STME", 157},
    {"m_mag", "x_kalstm", "x_kalstml", "Listini", "kalstml", "Listini", "=STML", 160},
    {"m_mag", "x_kalstm", "x_kalstmi", "Inventario", "kalstmi", "Inventario", "=STMI", 159},
    {"m_mag", "x_kalstm", "x_kalstmg", "Giornale di magazzino", "kalstmg", "Giornale di magazzino", "=STMG", 158},
    {"m_mag", "x_kalstm", "x_kalstms", "Schede di magazzino", "kalstms", "Schede di magazzino", "=STMS", 165},
    {"m_mag", "x_kalstm", "x_kalstmm", "Elenco movimenti di magazzino", "kalstmm", "Elenco movimenti di magazzino", "=STMM", 161},
    {"m_mag", "x_kalstm", "x_kalstmr", "Analisi scorte", "kalstmr", "Analisi scorta", "=STMR", 164},
    {"m_mag", "x_kalstm", "x_kalstmv", "Analisi venduto", "kalstmv", "Analisi venduto", "=STMV", 167},
    {"m_mag", "x_kalstm", "x_kalstmn", "Analisi invenduto", "kalstmn", "Analisi invenduto", "=STMN", 162},
    {"m_mag", "x_kalstm", "x_kalstmt", "Statistica vendite", "kalstmt", "Statistica vendite", "=STMT", 166},
    {"m_mag", "x_kalstm", "x_kalstmq", "Statistica acquisti", "kalstmq", "Statistica acquisti", "=STMQ", 163},
    {"m_mag", "x_kalstm", "x_kalbar", "Stampa etichette codici a barre", "kalbar", "Stampa etichette codici a barre", "=BAR", 168},
    {"m_con", "", "x_kalpia", "Gestione piano dei conti", "kalpia", "Gestione piano dei conti", "=PIA", 169},
    {"m_con", "x_gio", "x_kalgio", "Gestione movimenti contabili", "kalgio", "Gestione movimenti contabili", "=GIO", 170},
    {"m_con", "x_gio", "x_kalchi", "Chiusura contabile (stato patrimoniale)", "", "", "", 332},
    {"m_con", "x_gio", "x_kalchb", "Chiusura contabile (conto economico)", "", "", "", 333},
    {"m_con", "x_gio", "x_kalape", "Apertura contabile", "", "", "", 334},
    {"m_con", "", "x_kalcas", "Prima nota cassa", "kalcas", "Gestione prima nota cassa", "=CAS", 171},
    {"m_con", "", "x_kaliva", "Gestione iva", "kaliva", "Gestione iva", "=IVA", 172},
    {"m_con", "", "x_kalbil", "Bilanci", "kalbil", "Gestione bilanci", "=BIL", 173},
    {"m_con", "", "x_kalblc", "Bilancino contabile", "kalblc", "Bilancino contabile", "=BLC", 174},
    {"m_con", "x_dic", "x_dich1", "Comunicazione annuale dati iva", "kaldiva", "Comunicazione annuale iva", "=CIV", 186},
    {"m_con", "x_dic", "x_dich2", "Spesometro", "kaldope", "Comunicazione operazioni iva (Spesometro)", "=COP", 187},
    {"m_con", "x_dic", "x_dich4", "Certificazione Unica", "kaldcer", "Comunicazione Unica compensi", "=CCU", 189},
    {"m_con", "x_dic", "x_dich3", "Comunicazione beni concessi ai soci/familiari", "kaldben", "Comunicazione cessione beni ai soci/familiari", "=CBN", 188},
    {"m_con", "x_kalsti", "x_kalstig", "Libro giornale", "kalstig", "Libro giornale", "=STIG", 177},
    {"m_con", "x_kalsti", "x_kalstis", "Mastrini", "kalstis", "Mastrini", "=STIS", 181},
    {"m_con", "x_kalsti", "x_kalstim", "Elenco movimenti contabili", "kalstim", "Elenco movimenti contabili", "=STIM", 178},
    {"m_con", "x_kalsti", "x_kalstip", "Piano dei conti", "kalstip", "Piano dei conti", "=STIP", 180},
    {"m_con", "x_kalsti", "x_kalstin", "Elenco movimenti di cassa", "kalstin", "Elenco movimenti di cassa", "=STIN", 179},
    {"m_con", "x_kalsti", "x_kalstic", "Schede contabili clienti", "kalstic", "Schede contabili clienti", "=STIC", 175},
    {"m_con", "x_kalsti", "x_kalstif", "Schede contabili fornitori", "kalstif", "Schede contabili fornitori", "=STIF", 176},
}};

// The entry with this menu name or code; nullptr when there is none.
const ModuleEntry* findModuleByEntry(std::string_view entry);
const ModuleEntry* findModuleByCode(std::string_view code);
const ModuleEntry* findModuleByPosition(int position);

}  // namespace kalvora::core
