#pragma once
// The window kalkfpa ("Tabella impostazioni fatturaPA"): the company's issuer data for the
// electronic invoices to public administrations (the boxes Text2 0..24, the lists Combo1,
// Combo3 and Combo2, the boxes rea, sociounico, liquidazione and numera), the XML version
// (standard 0/1) and the folders of the XML files and of the receipts (nfile 0/1, chosen with
// the drive and folder lists and sfoglia 0/1). The identifiers are checked before saving.
#include "core/folder_chooser.h"
#include "core/form.h"
#include "core/session.h"
#include "tables/einvoice_issuer.h"

#include <array>
#include <string>

namespace kalvora::tables {

class EInvoiceIssuerForm : public core::Form {
public:
    static constexpr int textCount = 25;  // Text2 0..24
    static constexpr const char* warning =
        "ATTENZIONE: l'errata o omessa compilazione di uno o più campi potrebbe comportare lo scarto "
        "della fattura elettronica PA";
    static constexpr std::array<const char*, 18> regimes{
        "RF01 Ordinario",
        "RF02 Contribuenti minimi (art.1, c.96-117, L. 244/07)",
        "RF03 Nuove iniziative produttive (art.13, L. 388/00)",
        "RF04 Agricoltura e attività connesse e pesca (artt.34 e 34-bis, DPR 633/72)",
        "RF05 Vendita sali e tabacchi (art.74, c.1, DPR. 633/72)",
        "RF06 Commercio fiammiferi (art.74, c.1, DPR 633/72)",
        "RF07 Editoria (art.74, c.1, DPR 633/72)",
        "RF08 Gestione servizi telefonia pubblica (art.74, c.1, DPR 633/72)",
        "RF09 Rivendita documenti di trasporto pubblico e di sosta (art.74, c.1, DPR 633/72)",
        "RF10 Intrattenimenti, giochi e altre attività di cui alla tariffa allegata al DPR 640/72 (art.74, c.6)",
        "RF11 Agenzie viaggi e turismo (art.74-ter, DPR 633/72)",
        "RF12 Agriturismo (art.5, c.2, L. 413/91)",
        "RF13 Vendite a domicilio (art.25-bis, c.6, DPR 600/73)",
        "RF14 Rivendita beni usati, oggetti d’arte, d’antiquariato o da collezione (art.36, DL 41/95)",
        "RF15 Agenzie vendite all’asta oggetti d’arte, antiquariato o da collezione (art.40-bis, DL 41/95)",
        "RF16 IVA per cassa P.A. (art.6, c.5, DPR 633/72)",
        "RF17 IVA per cassa soggetti con vol. d’affari inferiore ad euro 200.000 (art.7, DL 185/2008)",
        "RF18 Altro",
    };
    static constexpr std::array<const char*, 3> subjectKinds{"Persona fisica", "Società di persone",
                                                             "Società di capitali"};
    static constexpr std::array<const char*, 9> registers{
        "Registro iva 1", "Registro iva 2", "Registro iva 3", "Registro iva 4", "Registro iva 5",
        "Registro iva 6", "Registro iva 7", "Registro iva 8", "Registro iva 9",
    };

    explicit EInvoiceIssuerForm(core::Session& session);
    std::string name() const override { return "kalkfpa"; }
    std::string title() const override { return "Tabella impostazioni fatturaPA"; }

    // Reads record 1 of the company's kalvora.fpa, or takes a new record when there is none.
    // A file that is there but cannot be read is told and false returned: the window does not
    // open, as saving a new record over it would wipe the invoicing modules' data.
    bool open();

    // Text2 k as shown; an index outside 0..24 shows nothing and takes nothing.
    const std::string& text(int k) const;
    void editText(int k, std::string value);

    // The lists at their stored index; -1 when the stored text is no index of the list (it
    // is then written back as read unless the user chooses an entry).
    int regime() const { return listIndex(issuer::taxRegime, regimes.size()); }          // Combo1
    int subjectKind() const { return listIndex(issuer::subjectKind, subjectKinds.size()); }  // Combo3
    int vatRegister() const { return listIndex(issuer::vatRegister, registers.size()); }   // Combo2
    void chooseRegime(int index) { chooseIndex(issuer::taxRegime, regimes.size(), index); }
    void chooseSubjectKind(int index) { chooseIndex(issuer::subjectKind, subjectKinds.size(), index); }
    void chooseVatRegister(int index) { chooseIndex(issuer::vatRegister, registers.size(), index); }

    // The check boxes, ticked for "1", "SU", "LS" and "1".
    bool rea() const { return data_.get(issuer::reaRegistered) == "1"; }
    bool singleShareholder() const { return data_.get(issuer::singleShareholder) == "SU"; }
    bool inLiquidation() const { return data_.get(issuer::liquidation) == "LS"; }
    bool separateNumbering() const { return data_.get(issuer::separateNumbering) == "1"; }
    void setRea(bool on) { data_.set(issuer::reaRegistered, on ? "1" : "0"); }
    void setSingleShareholder(bool on) { data_.set(issuer::singleShareholder, on ? "SU" : "SM"); }
    void setInLiquidation(bool on) { data_.set(issuer::liquidation, on ? "LS" : "LN"); }
    void setSeparateNumbering(bool on) { data_.set(issuer::separateNumbering, on ? "1" : "0"); }

    // standard: 0 for "1.0", 1 for "1.1"; -1 when the stored text is neither.
    int standard() const;
    void chooseStandard(int index);

    // nfile 0 (the XML files) and 1 (the receipts) as stored, "C:\" for a new record.
    std::string folder(int k) const;
    // The drive and folder lists, starting at the XML files' folder.
    core::FolderChooser& chooser() { return chooser_; }
    // sfoglia k: nfile k takes the folder chosen in the lists, in its stored form. A path too
    // long for the field, or with characters the file cannot hold, is refused with a message.
    void browse(int k);

    // The box a failed check put the focus on (Text2 index), -1 before any.
    int focusedText() const { return focus_; }

    // bottone 1: the checks in order (the first failure is told, focuses its box and stops),
    // then record 1 is written and the window closes; a failed write is told and it stays.
    void confirm();
    // bottone 0 and the close box: leaves without writing.
    void cancel() { close(); }
    void button(int index);

    const EInvoiceIssuer& data() const { return data_; }
    std::string path() const;

private:
    int listIndex(IssuerField f, std::size_t size) const;
    void chooseIndex(IssuerField f, std::size_t size, int index);
    // Shows a failed check and puts the focus on box k; always false.
    bool refuse(const std::string& text, int k);
    bool checked();

    EInvoiceIssuer data_;
    std::array<std::string, textCount> texts_{};
    core::FolderChooser chooser_;
    int focus_ = -1;
};

// Opens kalkfpa for the current company and waits for it to close.
void openEInvoiceIssuer(core::Session& session);

}  // namespace kalvora::tables
