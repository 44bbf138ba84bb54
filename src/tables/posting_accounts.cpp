#include "tables/posting_accounts.h"

#include "core/text.h"

#include <algorithm>

namespace kalvora::tables {

namespace {

constexpr std::size_t packedCodeStart = 81;
constexpr std::size_t codeWidth = 8;

// The numeric value of a box as digits of its width; what is not a number, or is negative,
// counts as 0, and a box never holds more characters than its width.
std::string paddedBox(const std::string& text, int width) {
    long long value = std::max(0, core::integerValue(text));
    long long limit = 1;
    for (int i = 0; i < width; ++i) limit *= 10;
    value = std::min(value, limit - 1);
    std::string digits = std::to_string(value);
    digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    return digits;
}

// The stored code of a group: the whole cell, or positions 81-88 of a packed one.
std::string storedCode(const Table& t6, const AccountGroup& group) {
    const std::string& cell = t6.at(group.entry, group.column);
    return group.packed ? core::mid(cell, packedCodeStart, codeWidth) : cell;
}

// Commas and double quotes would split or alter the value when the file is read back, and the
// file stores every value plain.
std::string withoutDelimiters(std::string text) {
    text = core::singleLine(text);
    std::erase_if(text, [](char c) { return c == ',' || c == '"'; });
    return text;
}

}  // namespace

int accountGroupOf(int box) {
    for (int g = 0; g < accountGroupCount; ++g) {
        const AccountGroup& group = accountGroups[g];
        if (box >= group.firstBox && box < group.firstBox + group.boxCount) return g;
    }
    return -1;
}

int accountBoxWidth(int box) {
    const int g = accountGroupOf(box);
    return g >= 0 && box - accountGroups[g].firstBox == 2 ? 4 : 2;
}

std::string chartLine(const core::AccountEntry& account) {
    const std::string code = core::padRight(account.code, codeWidth);
    return core::mid(code, 1, 2) + "." + core::mid(code, 3, 2) + "." + core::mid(code, 5, 4) + " " +
           account.description;
}

// The window fills T6 entries 1..9; entries 10..20 are the modules' own.
constexpr TablePart ownedParts[] = {
    {&TablesFile::t6, 1, 9, 0, 1},
};

PostingAccountsForm::PostingAccountsForm(core::Session& session) : TableEditorForm(session, ownedParts) {
    labels_.fill(noLookupText);
}

void PostingAccountsForm::open() {
    load();
    auto& s = session();
    list_.clear();
    for (const core::AccountEntry& account : core::readChartOfAccounts(s.files(), s.installation(), s.company().code))
        list_.push_back(chartLine(account));

    LoadingGuard loading(*this);
    const Table& t6 = tables().t6;
    for (int g = 0; g < accountGroupCount; ++g) {
        const AccountGroup& group = accountGroups[g];
        const std::string code = storedCode(t6, group);
        for (int b = 0; b < group.boxCount; ++b)
            boxes_[group.firstBox + b] = core::trim(core::mid(code, 1 + 2 * static_cast<std::size_t>(b), b == 2 ? 4 : 2));
        lookUp(g);
    }
    for (int d = 0; d < descriptionCount; ++d) {
        const DescriptionSlot& slot = descriptionSlots[d];
        descriptions_[d] = core::trim(core::mid(t6.at(slot.entry, slot.column), slot.start, descriptionWidth));
    }
    page_ = Page::Accounts;
    focusBox_ = 0;
    focusGroup_ = 0;
    focusDescription_ = -1;
}

void PostingAccountsForm::showDescriptions() {
    page_ = Page::Descriptions;
    focusDescription_ = 0;
}

void PostingAccountsForm::showAccounts() {
    if (!markersAllowed()) return;
    page_ = Page::Accounts;
    focusDescription_ = -1;
}

bool PostingAccountsForm::readyToSave() { return markersAllowed(); }

bool PostingAccountsForm::markersAllowed() {
    for (std::size_t i = 0; i < unmarkedDescriptions.size(); ++i) {
        if (descriptions_[unmarkedDescriptions[i]].find('$') == std::string::npos) continue;
        session().platform().message(std::string(markerText) + markerSubjects[i], "Attenzione", core::Icon::Critical);
        page_ = Page::Descriptions;
        focusDescription_ = unmarkedDescriptions[0];
        return false;
    }
    return true;
}

void PostingAccountsForm::editBox(int index, std::string text) {
    if (index < 0 || index >= accountBoxCount) return;
    boxes_[index] = core::left(withoutDelimiters(std::move(text)), static_cast<std::size_t>(accountBoxWidth(index)));
    if (!loading()) lookUp(accountGroupOf(index));
}

void PostingAccountsForm::focusBox(int index) {
    if (index < 0 || index >= accountBoxCount) return;
    focusBox_ = index;
    focusGroup_ = accountGroupOf(index);
}

void PostingAccountsForm::leaveBox(int index) {
    if (index < 0 || index >= accountBoxCount || index != focusBox_) return;
    const int value = core::integerValue(boxes_[index]);
    const std::size_t width = static_cast<std::size_t>(accountBoxWidth(index));
    // A value that does not fit its box stays as typed rather than being cut to other digits.
    if (value <= 0 || std::to_string(value).size() > width) return;
    const std::string padded = paddedBox(boxes_[index], accountBoxWidth(index));
    if (padded != boxes_[index]) editBox(index, padded);
}

std::string PostingAccountsForm::code(int g) const {
    const AccountGroup& group = accountGroups.at(g);
    std::string result;
    for (int b = 0; b < group.boxCount; ++b) result += paddedBox(boxes_[group.firstBox + b], b == 2 ? 4 : 2);
    return result;
}

void PostingAccountsForm::lookUp(int g) {
    if (g < 0 || g >= accountGroupCount) return;
    const AccountGroup& group = accountGroups[g];
    // A group whose boxes are all empty has no code to look for.
    bool empty = true;
    for (int b = 0; b < group.boxCount; ++b) empty = empty && core::trim(boxes_[group.firstBox + b]).empty();
    const std::string c = code(g);
    std::string key = core::mid(c, 1, 2) + "." + core::mid(c, 3, 2) + ".";
    if (group.boxCount == 3) key += core::mid(c, 5, 4);
    labels_[g] = unknownAccountText;
    if (empty) return;
    for (const std::string& line : list_) {
        if (core::startsWith(line, key)) {
            labels_[g] = core::mid(line, 12);
            return;
        }
    }
}

void PostingAccountsForm::chooseListLine(int line) {
    if (line < 0 || static_cast<std::size_t>(line) >= list_.size()) return;
    const std::string& text = list_[static_cast<std::size_t>(line)];
    const std::string head = core::left(text, 2);
    if (!std::all_of(head.begin(), head.end(), [](char c) { return c >= '0' && c <= '9'; }) || head.size() != 2 ||
        core::integerValue(head) <= 0)
        return;
    const AccountGroup& group = accountGroups.at(focusGroup_);
    const std::array<std::string, 3> parts = {core::mid(text, 1, 2), core::mid(text, 4, 2), core::mid(text, 7, 4)};
    {
        LoadingGuard loading(*this);
        for (int b = 0; b < group.boxCount; ++b) editBox(group.firstBox + b, parts[b]);
    }
    lookUp(focusGroup_);
}

void PostingAccountsForm::setDescription(int index, std::string text) {
    if (index < 0 || index >= descriptionCount) return;
    descriptions_[index] = withoutDelimiters(std::move(text));
}

// Each description left-justified in its 40 characters, an empty one named as undefined.
void PostingAccountsForm::encodeForSave(TablesFile& tables) const {
    Table& t6 = tables.t6;
    std::array<std::string, descriptionCount> texts;
    for (int d = 0; d < descriptionCount; ++d) {
        texts[d] = core::trim(withoutDelimiters(descriptions_[d]));
        if (texts[d].empty()) texts[d] = undefinedDescriptionText;
    }
    for (int g = 0; g < accountGroupCount; ++g) {
        const AccountGroup& group = accountGroups[g];
        if (!group.packed) t6.at(group.entry, group.column) = code(g);
    }
    // Cells holding descriptions: their slots in order, then the packed code where there is one.
    for (const DescriptionSlot& first : descriptionSlots) {
        if (first.start != 1) continue;
        std::string cell;
        for (int d = 0; d < descriptionCount; ++d) {
            const DescriptionSlot& slot = descriptionSlots[d];
            if (slot.entry == first.entry && slot.column == first.column) cell += core::padRight(texts[d], descriptionWidth);
        }
        for (int g = 0; g < accountGroupCount; ++g) {
            const AccountGroup& group = accountGroups[g];
            if (group.packed && group.entry == first.entry && group.column == first.column) cell += code(g);
        }
        t6.at(first.entry, first.column) = cell;
    }
}

}  // namespace kalvora::tables
