#include "tables/payment_terms.h"

#include "core/text.h"

namespace kalvora::tables {

namespace {

constexpr int endOfMonthPosition = 19;
constexpr int daysPosition = 20;
constexpr int typePosition = 23;
constexpr int settingPosition = 24;
constexpr std::size_t oldRuleLimit = 22;  // rules of 12 to 21 characters are four-instalment ones

// A box's number as three digits: an empty or non-numeric box is 0, and only the last three
// digits of a longer number fit.
std::string threeDigitBox(const std::string& text) { return core::threeDigits(core::integerValue(text)); }

// A stored count shown in a box: 0 is an empty box.
std::string countBox(const std::string& rule, int position) {
    const int value = core::integerValue(core::mid(rule, position, 3));
    return value == 0 ? std::string() : std::to_string(value);
}

}  // namespace

std::string paymentRule(const PaymentRow& row) {
    std::string rule;
    for (const std::string& months : row.months) rule += threeDigitBox(months);
    rule += row.endOfMonth ? "F" : "N";
    rule += threeDigitBox(row.days);
    rule += std::to_string(row.type);
    return rule;
}

PaymentRow paymentRow(const std::string& description, const std::string& rule) {
    PaymentRow row;
    row.description = description;
    for (int i = 0; i < PaymentTermsForm::instalments; ++i) row.months[i] = countBox(rule, 1 + 3 * i);
    row.endOfMonth = core::mid(rule, endOfMonthPosition, 1) == "F";
    row.days = countBox(rule, daysPosition);
    const int type = core::integerValue(core::mid(rule, typePosition, 1));
    row.type = type >= 0 && type < static_cast<int>(PaymentTermsForm::paymentTypes.size()) ? type : -1;
    return row;
}

std::string upgradeRule(const std::string& rule) {
    const std::size_t n = core::length(rule);
    if (n < 12 || n >= oldRuleLimit) return rule;
    // A short old rule is completed with blanks to the limit, or it would be upgraded again,
    // six more blanks, at every opening.
    const std::string upgraded = core::left(rule, 12) + std::string(6, ' ') + core::mid(rule, 13);
    return core::length(upgraded) < oldRuleLimit ? core::padRight(upgraded, oldRuleLimit) : upgraded;
}

constexpr TablePart ownedParts[] = {{&TablesFile::t5, 1, PaymentTermsForm::entryCount, 0, 1}};

PaymentTermsForm::PaymentTermsForm(core::Session& session) : TableEditorForm(session, ownedParts) {}

void PaymentTermsForm::open() {
    load();
    TablesFile& t = tables();
    for (int k = 1; k <= entryCount; ++k) t.t5.at(k, 1) = upgradeRule(t.t5.at(k, 1));
    for (int which : {august, december}) {
        const std::string& rule = t.t5.at(1 + which, 1);
        const bool present = core::length(rule) > static_cast<std::size_t>(ruleLength);
        move_[which] = present && core::mid(rule, settingPosition, 1) == "1";
        moveDay_[which] = present ? core::trim(core::mid(rule, settingPosition + 1, moveDayLength)) : std::string();
    }
    pages_.scrollTo(1);
    showPage();
    focusRow_ = 0;
    focusField_ = PaymentField::Description;
}

void PaymentTermsForm::showPage() {
    LoadingGuard loading(*this);
    const TablesFile& t = tables();
    for (int r = 0; r < visibleRows; ++r) {
        const int k = pages_.entryOf(r);
        rows_[r] = paymentRow(t.t5.at(k, 0), t.t5.at(k, 1));
    }
}

void PaymentTermsForm::scrollTo(int firstEntry) {
    pages_.scrollTo(firstEntry);
    showPage();
}

void PaymentTermsForm::storeRule(int r) {
    if (loading()) return;
    tables().t5.at(pages_.entryOf(r), 1) = paymentRule(rows_[r]);
}

void PaymentTermsForm::editDescription(int r, std::string text) {
    if (!validRow(r)) return;
    rows_[r].description = core::singleLine(text);
    if (!loading()) tables().t5.at(pages_.entryOf(r), 0) = rows_[r].description;
}

void PaymentTermsForm::selectType(int r, int index) {
    if (!validRow(r) || index < -1 || index >= static_cast<int>(paymentTypes.size())) return;
    rows_[r].type = index;
    storeRule(r);
}

void PaymentTermsForm::editMonths(int r, int instalment, std::string text) {
    if (!validRow(r) || instalment < 0 || instalment >= instalments) return;
    rows_[r].months[instalment] = core::singleLine(text);
    storeRule(r);
}

void PaymentTermsForm::setEndOfMonth(int r, bool ticked) {
    if (!validRow(r)) return;
    rows_[r].endOfMonth = ticked;
    storeRule(r);
}

void PaymentTermsForm::editDays(int r, std::string text) {
    if (!validRow(r)) return;
    rows_[r].days = core::singleLine(text);
    storeRule(r);
}

void PaymentTermsForm::setMonthMove(int which, bool ticked) {
    if (which == august || which == december) move_[which] = ticked;
}

// The day is read back from five positions, so no more is kept.
void PaymentTermsForm::editMoveDay(int which, std::string text) {
    if (which == august || which == december) moveDay_[which] = core::left(core::singleLine(text), moveDayLength);
}

void PaymentTermsForm::setFocus(int r, PaymentField field) {
    if (!validRow(r)) return;
    focusRow_ = r;
    focusField_ = field;
}

void PaymentTermsForm::enterPressed(int r, PaymentField field) {
    if (!validRow(r)) return;
    setFocus(r, field);
    switch (field) {
    case PaymentField::Description: setFocus(r, PaymentField::Months1); break;
    case PaymentField::Months1: setFocus(r, PaymentField::Months2); break;
    case PaymentField::Months2: setFocus(r, PaymentField::Months3); break;
    case PaymentField::Months3: setFocus(r, PaymentField::Months4); break;
    case PaymentField::Months4: setFocus(r, PaymentField::Months5); break;
    case PaymentField::Months5: setFocus(r, PaymentField::Months6); break;
    case PaymentField::Months6: setFocus(r, PaymentField::Days); break;
    case PaymentField::Days:
        if (r < visibleRows - 1) {
            setFocus(r + 1, PaymentField::Description);
        } else if (pages_.first() < enterScrollLimit) {
            scrollTo(pages_.first() + 1);
            setFocus(r, PaymentField::Description);
        }
        break;
    case PaymentField::Type:
    case PaymentField::EndOfMonth: break;
    }
}

// The settings ride after position 23 of the first two rules. A rule shorter than that is
// padded with blanks first, or the settings would land where the modules read the rule.
void PaymentTermsForm::encodeForSave(TablesFile& t) const {
    for (int which : {august, december}) {
        std::string& rule = t.t5.at(1 + which, 1);
        // As the day is read back (trimmed, control characters blanked), so a save of what was
        // read writes the same line.
        rule = core::padRight(rule, ruleLength) + (move_[which] ? "1" : "0") + core::trim(core::singleLine(moveDay_[which]));
    }
}

}  // namespace kalvora::tables
