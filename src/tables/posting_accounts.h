#pragma once
// The posting accounts window zelstmas over table T6: on one page the default ledger accounts of
// the automatic postings (sixteen box groups, text1 0..45, each with its desc label and List1,
// the company's chart of accounts), on the other the eleven descriptions given to generated
// journal entries (Text2 0..10, 40 characters each).
//
// T6(5,1), T6(6,1), T6(8,0) and T6(8,1) pack two descriptions and an account code (positions
// 81-88); T6(7,1) two descriptions; T6(9,1) one.
#include "core/accounting_archives.h"
#include "tables/table_editor.h"

#include <array>
#include <string>
#include <vector>

namespace kalvora::tables {

// One box group: the T6 cell of its code and the text1 boxes that show it.
struct AccountGroup {
    int entry;
    int column;
    bool packed;       // the code sits at positions 81-88 after two descriptions
    int firstBox;      // text1 index of its first box
    int boxCount;      // 2 for a master-and-group code, 3 for an account
    const char* caption;
};

constexpr int accountGroupCount = 16;
constexpr int accountBoxCount = 46;
constexpr int descriptionCount = 11;
constexpr std::size_t descriptionWidth = 40;

// In text1 order.
constexpr std::array<AccountGroup, accountGroupCount> accountGroups = {{
    {1, 0, false, 0, 2, "Mastro e gruppo conti clienti"},
    {2, 0, false, 2, 3, "Conto di default per la registrazione dei ricavi"},
    {3, 0, false, 5, 3, "Conto di default per la registrazione dell'iva a debito"},
    {8, 0, true, 8, 3, "Conto di default per la registrazione dell'iva a debito differita"},
    {6, 1, true, 11, 3, "Conto di default per la registrazione dell'iva sospesa (split payment)"},
    {4, 0, false, 14, 3, "Conto di default per la registrazione delle partite esenti"},
    {5, 0, false, 17, 3, "Conto di default per la registrazione della ritenuta d'acconto"},
    {6, 0, false, 20, 3, "Conto di default per la registrazione del contributo integrativo"},
    {7, 0, false, 23, 3, "Conto di default per la registrazione della rivalsa sui contributi"},
    {1, 1, false, 26, 2, "Mastro e gruppo conti fornitori"},
    {2, 1, false, 28, 3, "Conto di default per la registrazione dei costi"},
    {3, 1, false, 31, 3, "Conto di default per la registrazione dell'iva a credito"},
    {8, 1, true, 34, 3, "Conto di default per la registrazione dell'iva a credito differita"},
    {4, 1, false, 37, 3, "Conto di default per la registrazione delle partite esenti"},
    {5, 1, true, 40, 3, "Conto di default per la registrazione della ritenuta d'acconto"},
    {9, 0, false, 43, 3, "Conto di default per la registrazione di cassa"},
}};

// Where a description lives: T6(entry, column) from 1-based position `start`.
struct DescriptionSlot {
    int entry;
    int column;
    std::size_t start;
    const char* caption;
};

constexpr std::array<DescriptionSlot, descriptionCount> descriptionSlots = {{
    {5, 1, 1, "Fattura emessa"},
    {5, 1, 41, "Nota di credito emessa"},
    {6, 1, 1, "Fattura ricevuta"},
    {6, 1, 41, "Nota di credito ricevuta"},
    {7, 1, 1, "Incasso fattura emessa"},
    {7, 1, 41, "Pagamento nota di credito emessa"},
    {8, 1, 1, "Pagamento fattura ricevuta"},
    {8, 1, 41, "Incasso nota di credito ricevuta"},
    {8, 0, 1, "Chiusura giornaliera corrispettivi"},
    {8, 0, 41, "Emissione ricevute bancarie"},
    {9, 1, 1, "Versamento ritenute d'acconto"},
}};

// The group a text1 box belongs to, or -1.
int accountGroupOf(int box);
// The width of a text1 box: 4 for a sub-account, 2 otherwise.
int accountBoxWidth(int box);
// A List1 line: "GG.SS.NNNN description".
std::string chartLine(const core::AccountEntry& account);

class PostingAccountsForm : public TableEditorForm {
public:
    enum class Page { Accounts, Descriptions };

    static constexpr const char* accountsFrameText =
        "Tabella dei codici e dei conti di default da utilizzare nelle registrazioni contabili";
    static constexpr const char* descriptionsFrameText =
        "Tabella delle descrizioni dei movimenti contabili generati automaticamente";
    static constexpr const char* noLookupText = "Nessun conto selezionato";
    static constexpr const char* unknownAccountText = "Conto non esistente o non definito";
    static constexpr const char* undefinedDescriptionText = "Descrizione non definita";
    static constexpr const char* markerText =
        "Non è possibile utilizzare i marcatori nelle descrizioni dei movimenti contabili relativi ";
    static constexpr std::array<const char*, 3> markerSubjects = {
        "alla chiusura giornaliera dei corrispettivi", "all'emissione delle ricevute bancarie",
        "al versamento delle ritenute d'acconto"};
    static constexpr std::array<const char*, 3> helpLines = {
        "Nelle descrizioni si possono usare i marcatori $D (numero documento), $P (protocollo documento), "
        "$G (data documento) e $N (nome del cliente o fornitore).",
        "Esempi: \"emessa fattura $D\", \"documento protocollo $P\", \"saldo a favore del $G\", "
        "\"saldo a favore di $N\".",
        "Le virgole e le virgolette non sono ammesse nelle descrizioni e nei codici dei conti e non vengono "
        "inserite."};
    // The descriptions after which the marker check looks for "$", and the box it then focuses.
    static constexpr std::array<int, 3> unmarkedDescriptions = {8, 9, 10};

    explicit PostingAccountsForm(core::Session& session);
    using TableEditorForm::tables;

    std::string name() const override { return "zelstmas"; }
    std::string title() const override { return "Tabella codici contabili"; }

    // Loads the tables file and the chart of accounts, fills every box and looks every code up.
    void open();

    Page page() const { return page_; }
    // bottone 2: the descriptions page.
    void showDescriptions();
    // bottone 3: back to the accounts page once the marker check passes.
    void showAccounts();

    // text1 boxes.
    const std::string& box(int index) const { return boxes_.at(index); }
    // A change of a box: commas and double quotes never enter, the rest is kept to the box's
    // width, and its group is looked up again.
    void editBox(int index, std::string text);
    // The box takes the focus: its group is the one a List1 choice fills.
    void focusBox(int index);
    // The box loses the focus: a value above 0 is shown zero-padded to its width.
    void leaveBox(int index);
    int focusedGroup() const { return focusGroup_; }

    // The desc label of a group.
    const std::string& label(int group) const { return labels_.at(group); }
    // The code of a group as its boxes give it: 8 digits, 4 for a master-and-group code.
    std::string code(int group) const;

    const std::vector<std::string>& listLines() const { return list_; }
    // A click on List1 line `line`: a line starting with a number above 0 fills the group that
    // last had the focus.
    void chooseListLine(int line);

    // Text2 boxes; commas and double quotes never enter, line breaks become blanks.
    const std::string& description(int index) const { return descriptions_.at(index); }
    void setDescription(int index, std::string text);
    // The Text2 box that should hold the focus (the marker check moves it), or -1.
    int focusedDescription() const { return focusDescription_; }

protected:
    // bottone 1 runs the marker check before the save.
    bool readyToSave() override;
    void encodeForSave(TablesFile& tables) const override;

private:
    bool markersAllowed();
    void lookUp(int group);

    std::array<std::string, accountBoxCount> boxes_{};
    std::array<std::string, accountGroupCount> labels_{};
    std::array<std::string, descriptionCount> descriptions_{};
    std::vector<std::string> list_;
    Page page_ = Page::Accounts;
    int focusGroup_ = 0;
    int focusBox_ = 0;
    int focusDescription_ = -1;
};

}  // namespace kalvora::tables
