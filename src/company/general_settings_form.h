#pragma once
// The general settings window zelstimp ("Impostazioni generali"): the currency file shared by
// the installation (account currency code, decimals of amounts) and the general settings record
// of the current company (list behaviour and colours, document defaults, default VAT code, the
// PDF reader). Confirming writes both files and loads the company's settings again, so the next
// window opened works with them.
#include "core/form.h"
#include "core/general_settings.h"
#include "core/session.h"

#include <array>
#include <string>
#include <vector>

namespace kalvora::company {

class GeneralSettingsForm : public core::Form {
public:
    static constexpr int decimalOptions = 4;       // decim 0..3: 2..5 decimals
    static constexpr int vatCodeCount = 32;        // Combo1
    static constexpr std::size_t pdfReaderWidth = 120;
    static constexpr const char* colourDialogTitle = "Seleziona il colore";
    static constexpr const char* readerDialogTitle = "Seleziona il programma per leggere i file PDF";
    static constexpr const char* note =
        "Queste impostazioni sono valide solo per l'azienda selezionata, tranne la valuta e il numero "
        "di decimali: il file della valuta è comune a tutte le aziende dell'installazione.";

    // The check boxes, each with its field of the record.
    enum class Check { Liste, Lettura0, Lettura1, Barre80, Scorporo, Cerca, Peso, Anno, Lotti, Acro };
    static constexpr int checkCount = 10;

    explicit GeneralSettingsForm(core::Session& session);
    std::string name() const override { return "zelstimp"; }
    std::string title() const override { return "Impostazioni generali"; }

    // Reads kalvora.eur (defaults when it cannot be read), the company's record as the file holds
    // it now, and the VAT rates and exemption articles of the tables file.
    void open();

    bool checked(Check box) const { return checks_[static_cast<std::size_t>(box)]; }
    void setChecked(Check box, bool on) { checks_[static_cast<std::size_t>(box)] = on; }

    // decim: the option chosen, 0..3 for 2..5 decimals.
    int decimals() const { return decimals_; }
    void setDecimals(int option);

    // text1 0: the account currency code. Commas, quotes and characters the file cannot store
    // would break the currency file's items: such a value is refused. True when taken.
    const std::string& currencyCode() const { return currencyCode_; }
    bool editCurrencyCode(const std::string& value);

    // Combo1: the 32 entries and the position chosen (the stored code less 1).
    const std::vector<std::string>& vatCodes() const { return vatCodes_; }
    int vatCode() const { return vatCode_; }
    void setVatCode(int position);

    // car 0 and car 1: the two list colours (R + 256 G + 65536 B).
    long colour(int box) const;
    // car 2: the PDF reader program. Typing keeps at most 120 characters the file can store;
    // true when taken.
    const std::string& pdfReader() const { return pdfReader_; }
    bool editPdfReader(const std::string& value);

    // command3d5: 0 and 1 choose a list colour, 2 puts back the two default colours, 3 picks the
    // PDF reader, which must be an executable file whose path the record can hold.
    void colourButton(int index);

    // bottone_1: writes kalvora.eur and the record, loads the settings again and closes; a
    // failure is told and the window stays open.
    void confirm();
    // bottone_0 and the close box: leaves without writing.
    void cancel() { close(); }
    void button(int index);

private:
    void readCurrency();
    void chooseColour(int box);
    void choosePdfReader();
    bool writeCurrency();
    // The record to save: the file's as it is now (a module may have written its fields since
    // the window opened) with this window's fields set. False, after saying so, when the file
    // is there but cannot be read.
    bool recordToSave(core::GeneralSettings& out);
    void applyFields(core::GeneralSettings& record) const;
    void warn(const std::string& text);

    std::array<bool, checkCount> checks_{};
    int decimals_ = 0;
    std::string currencyCode_;
    std::vector<std::string> vatCodes_;
    int vatCode_ = 0;
    std::array<long, 2> colours_{};
    std::string pdfReader_;

    // kalvora.eur: items 1..5, line 6 and every line after it, as read.
    std::array<std::string, 6> currencyItems_{};
    std::vector<std::string> currencyTail_;
};

// Opens the window for the current company and waits for it to close.
void openGeneralSettings(core::Session& session);

}  // namespace kalvora::company
