#pragma once
// The window zelstcas ("Collegamento a registratore di cassa"): the settings of kalvora.cas for
// the counter-sales module, with presets for five known register drivers. It never talks to a
// register itself.
#include "core/form.h"
#include "core/session.h"
#include "tables/cash_register.h"

#include <array>
#include <string>
#include <vector>

namespace kalvora::tables {

class CashRegisterForm : public core::Form {
public:
    static constexpr int capo = 0;    // "Imposta automaticam. quantità = 1"
    static constexpr int barre = 1;   // "Utilizza lettore codici a barre"
    static constexpr int prezzi = 2;  // "Utilizza prezzi * 100"

    // Text2 k's function, and the order the bar-code boxes are shown and walked with Enter.
    static constexpr std::array<const char*, cashBarCodes> functionNames = {
        "Ins.riga", "Canc.riga", "Riga su",  "Riga giù", "Prezzo 1", "Prezzo 2", "Conferma",
        "Annulla",  "Contanti",  "Assegno",  "POS",      "Esci",     "Prezzo 3", "Prezzo 4"};
    static constexpr std::array<int, cashBarCodes> barCodeOrder = {0, 1, 2, 3, 4, 5, 12, 13, 8, 9, 10, 11, 6, 7};

    // Where the focus is: a text1 box or a Text2 box.
    struct Focus {
        bool barCode = false;
        int index = 0;
        bool operator==(const Focus&) const = default;
    };

    explicit CashRegisterForm(core::Session& session);
    std::string name() const override { return "zelstcas"; }
    std::string title() const override { return "Collegamento a registratore di cassa"; }

    // Reads the current company's file; a missing one gives the defaults. False, said to the user,
    // when the file is there but cannot be read.
    bool open();

    const CashRegisterSettings& settings() const { return settings_; }
    // porta 0..3 COM1..COM4, 4 "Nessun registratore collegato"; cashNothingChosen for none.
    int port() const { return settings_.port; }
    void choosePort(int index);
    int flag() const { return settings_.flag; }
    void chooseFlag(int index);

    const std::string& text1(int k) const;
    void editText1(int k, const std::string& text);
    // Enter moves to the following box, from the last to the first.
    void enterText1(int k);
    // Combo1 r: the list index of slot r's field.
    int field(int r) const;
    void chooseField(int r, int index);
    bool checked(int box) const;
    void setChecked(int box, bool ticked);
    const std::string& text2(int k) const;
    void editText2(int k, const std::string& text);
    // Enter moves to the next bar-code box in the order they are shown.
    void enterText2(int k);

    Focus focus() const { return focus_; }
    void setFocus(Focus f) { focus_ = f; }

    // The model list: 0..4, cashNothingChosen while none is chosen.
    int model() const { return model_; }
    void chooseModel(int index);
    // bottone 2: fills the window with the chosen model's preset; nothing is saved yet.
    void applyModel();

    // bottone 1: writes the file and closes; a failed write is told and the window stays open.
    void confirm();
    // bottone 0 and the close box.
    void cancel() { close(); }
    void button(int index);

    std::string path() const;

private:
    std::vector<std::string> read_;
    CashRegisterSettings settings_;
    Focus focus_;
    int model_ = cashNothingChosen;
};

// Opens zelstcas for the current company and waits for it to close.
void openCashRegister(core::Session& session);

}  // namespace kalvora::tables
