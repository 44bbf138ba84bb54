#include "tables/cash_register_form.h"

#include "core/text.h"

#include <algorithm>

namespace kalvora::tables {

namespace {

const std::string& noText() {
    static const std::string empty;
    return empty;
}

bool inRange(int index, int count) { return index >= 0 && index < count; }

}  // namespace

CashRegisterForm::CashRegisterForm(core::Session& session)
    : Form(session), read_(defaultCashRegisterLines()), settings_(cashRegisterSettings(read_)) {}

std::string CashRegisterForm::path() const {
    return cashRegisterPath(session().installation(), session().company().code);
}

bool CashRegisterForm::open() {
    core::Session& s = session();
    // A file that is there but cannot be read holds the module's settings: the defaults must not
    // be saved over it.
    if (s.files().exists(path()) && !s.files().readLines(path())) {
        s.platform().message("Impossibile leggere il file kalvora.cas: il collegamento al registratore di cassa "
                             "non può essere modificato.",
                             "Attenzione", core::Icon::Critical);
        return false;
    }
    read_ = readCashRegister(s.files(), path());
    settings_ = cashRegisterSettings(read_);
    focus_ = {};
    model_ = cashNothingChosen;
    reopen();
    return true;
}

void CashRegisterForm::choosePort(int index) {
    if (inRange(index, cashPorts)) settings_.port = index;
}

void CashRegisterForm::chooseFlag(int index) {
    if (inRange(index, cashFlags)) settings_.flag = index;
}

const std::string& CashRegisterForm::text1(int k) const {
    return inRange(k, cashTextBoxes) ? settings_.text1[std::size_t(k)] : noText();
}

void CashRegisterForm::editText1(int k, const std::string& text) {
    if (inRange(k, cashTextBoxes)) settings_.text1[std::size_t(k)] = core::singleLine(text);
}

void CashRegisterForm::enterText1(int k) {
    if (inRange(k, cashTextBoxes)) focus_ = {false, (k + 1) % cashTextBoxes};
}

int CashRegisterForm::field(int r) const {
    return inRange(r, cashSlots) ? settings_.fields[std::size_t(r)] : cashNothingChosen;
}

void CashRegisterForm::chooseField(int r, int index) {
    if (inRange(r, cashSlots) && inRange(index, int(registerFieldNames.size()))) settings_.fields[std::size_t(r)] = index;
}

bool CashRegisterForm::checked(int box) const { return inRange(box, cashChecks) && settings_.checks[std::size_t(box)]; }

void CashRegisterForm::setChecked(int box, bool ticked) {
    if (inRange(box, cashChecks)) settings_.checks[std::size_t(box)] = ticked;
}

const std::string& CashRegisterForm::text2(int k) const {
    return inRange(k, cashBarCodes) ? settings_.text2[std::size_t(k)] : noText();
}

void CashRegisterForm::editText2(int k, const std::string& text) {
    if (inRange(k, cashBarCodes)) settings_.text2[std::size_t(k)] = core::singleLine(text);
}

void CashRegisterForm::enterText2(int k) {
    const auto at = std::find(barCodeOrder.begin(), barCodeOrder.end(), k);
    if (at == barCodeOrder.end()) return;
    const auto next = std::next(at) == barCodeOrder.end() ? barCodeOrder.begin() : std::next(at);
    focus_ = {true, *next};
}

void CashRegisterForm::chooseModel(int index) {
    model_ = inRange(index, int(registerPresets.size())) ? index : cashNothingChosen;
}

void CashRegisterForm::applyModel() { applyRegisterPreset(settings_, model_); }

void CashRegisterForm::confirm() {
    const std::vector<std::string> lines = cashRegisterLines(read_, settings_);
    if (const int error = writeCashRegister(session().files(), path(), lines)) {
        session().platform().message("Non è stato possibile salvare il collegamento al registratore di cassa: "
                                     "errore " + std::to_string(error) + ".",
                                     "Attenzione", core::Icon::Critical);
        return;
    }
    read_ = lines;
    settings_ = cashRegisterSettings(read_);
    close();
}

void CashRegisterForm::button(int index) {
    switch (index) {
    case 0: cancel(); break;
    case 1: confirm(); break;
    case 2: applyModel(); break;
    default: break;
    }
}

void openCashRegister(core::Session& session) {
    CashRegisterForm form(session);
    if (!form.open()) return;
    session.platform().showModal(form);
}

}  // namespace kalvora::tables
