#pragma once
// The menu entries outside the module catalogue, in menu order. `parent` names the menu they
// stand in; `ready` is false for entries whose window this program does not offer yet.
#include <array>
#include <string_view>

namespace kalvora::launcher {

struct MainMenuItem {
    std::string_view name;
    std::string_view caption;
    std::string_view parent;  // empty: a menu of the menu bar
    bool ready;
};

inline constexpr std::array<MainMenuItem, 65> mainMenuItems{{
    {"m_azi", "Aziende", "", true},
    {"x_azi_1", "Creazione nuova azienda", "m_azi", true},
    {"x_azi_2", "Modifica azienda", "m_azi", true},
    {"x_azi_3", "Duplicazione azienda", "m_azi", true},
    {"x_azi_4", "Eliminazione azienda", "m_azi", true},
    {"x_azi_5", "Duplica azienda", "m_azi", false},
    {"x_azi_6", "Elimina azienda", "m_azi", false},
    {"m_uti", "Utilità", "", true},
    {"s_pwd", "Password di accesso", "m_uti", true},
    {"m_tab", "Gestione tabelle", "m_uti", true},
    {"x_pag", "Tabella modalità di pagamento", "m_tab", true},
    {"x_iva", "Tabella codici iva", "m_tab", true},
    {"x_ban", "Tabella banche", "m_tab", true},
    {"x_vet", "Tabella vettori", "m_tab", true},
    {"x_cau", "Tabella causali di magazzino", "m_tab", true},
    {"x_mas", "Tabella codici contabili", "m_tab", true},
    {"x_tip", "Tabella tipologia fatture", "m_tab", true},
    {"x_fpa", "Tabella impostazioni fatturaPA", "m_tab", false},
    {"x_cas", "Collegamento a registratore di cassa", "m_tab", false},
    {"x_usr", "Tabella utenti", "m_tab", true},
    {"x_impo", "Impostazioni generali", "m_uti", false},
    {"x_bgr", "Impostazione sfondo", "m_uti", false},
    {"m_lay", "Personalizzazione moduli di stampa", "m_uti", true},
    {"x_lft", "Fattura di vendita", "m_lay", false},
    {"x_lrf", "Ricevuta fiscale", "m_lay", false},
    {"x_lpr", "Parcella", "m_lay", false},
    {"x_lbl", "Documento di trasporto", "m_lay", false},
    {"x_lor", "Ordine clienti", "m_lay", false},
    {"x_prx", "Preventivo", "m_lay", false},
    {"x_lpm", "Parcella proforma", "m_lay", false},
    {"x_lof", "Ordine fornitori", "m_lay", false},
    {"m_eti", "Personalizzazione etichette", "m_uti", true},
    {"x_etic", "Etichetta clienti", "m_eti", false},
    {"x_etif", "Etichetta fornitori", "m_eti", false},
    {"x_etia", "Etichetta articoli", "m_eti", false},
    {"x_etib", "Etichetta codici a barre", "m_eti", false},
    {"x_tab", "Marginatura tabulati", "m_uti", false},
    {"x_ver", "Verifica impostazioni", "m_uti", false},
    {"x_num", "Numerazione registri", "m_uti", false},
    {"m_arc", "Gestione archivi", "m_uti", true},
    {"x_bak", "Copie di backup", "m_arc", false},
    {"x_res", "Ripristina copie di backup", "m_arc", false},
    {"x_azz", "Azzeramento annuale", "m_arc", false},
    {"x_kalchk", "Controllo contabile", "m_arc", false},
    {"x_pro", "Variazione indici", "m_arc", false},
    {"x_let", "Verifica attributi sola lettura", "m_arc", false},
    {"x_cnv", "Conversione archivi versioni precedenti", "m_arc", false},
    {"x_bem", "Conversione archivi versioni compatibili", "m_arc", false},
    {"x_agg", "Aggiornamento software", "m_uti", false},
    {"s_sta", "Impostazione stampante", "m_uti", true},
    {"s_clc", "Calcolatrice", "m_uti", true},
    {"m_int", "Internet", "", true},
    {"x_inte_2", "Scarica aggiornamenti disponibili", "m_int", true},
    {"x_inte_4", "Invia un messaggio al centro di assistenza ZEL", "m_int", true},
    {"x_inte_5", "Invia copia degli archivi per il controllo al centro di assistenza ZEL", "m_int", true},
    {"x_inte_7", "Visita il sito internet", "m_int", true},
    {"x_inte_8", "Parametri posta elettronica", "m_int", true},
    {"m_ass", "Assistenza", "", true},
    {"x_xass_0", "Visualizza Guida operativa", "m_ass", true},
    {"x_xass_1", "Visualizza Guida \"come fare per\"", "m_ass", true},
    {"x_xass_2", "Visualizza Guida \"ultime novità\"", "m_ass", true},
    {"x_xass_3", "Contatta il servizio di assistenza", "m_ass", false},
    {"x_xass_4", "Prenota servizio \"richiamami\"", "m_ass", false},
    {"x_xass_5", "Prenota servizio \"teleassistenza\"", "m_ass", false},
    {"o_fin", "Fine lavoro", "", true},
}};

}  // namespace kalvora::launcher
