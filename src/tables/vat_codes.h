#pragma once
// The VAT codes window zelstiva: the 16 sales and the 16 purchase VAT codes of the company,
// eight of each set at a time, each set with its own scroll bar. Rates live in T1 and T2,
// descriptions, natures and exemption articles in T3 and T4, the purchase types in T4(0, 0),
// the agricultural percentages and the quarterly interest rate in kalvora.ilm.
#include "tables/table_editor.h"

#include <array>
#include <string>
#include <string_view>

namespace kalvora::tables {

class VatCodesForm : public TableEditorForm {
public:
    static constexpr int codeCount = 16;
    static constexpr int visibleRows = 8;
    static constexpr int lastFirstCode = codeCount - visibleRows + 1;  // both scroll bars 1..9
    static constexpr int salesColumns = 6;     // text1 6r..6r+5
    static constexpr int purchaseColumns = 4;  // text1 48+4r..51+4r
    static constexpr int firstPurchaseBox = salesColumns * visibleRows;                    // 48
    static constexpr int pensionDescriptionBox = firstPurchaseBox + purchaseColumns * visibleRows;  // 80
    static constexpr int interestRateBox = pensionDescriptionBox + 1;                      // 81
    static constexpr int firstAgriculturalBox = interestRateBox + 1;                       // 82..89
    static constexpr int boxCount = firstAgriculturalBox + visibleRows;                    // 90
    static constexpr int descriptionWidth = 100;
    static constexpr int noSelection = -1;

    // Sales row columns in the order of their boxes, then the purchase ones.
    static constexpr std::array<const char*, salesColumns> salesHeaders{
        "%Iva", "%RA", "%CI", "%CP", "Descrizione registro iva", "Articolo esenzione"};
    static constexpr const char* agriculturalHeader = "%Agr";
    static constexpr std::array<const char*, purchaseColumns> purchaseHeaders{
        "%Iva", "%Detr", "Descrizione registro iva", "Articolo esenzione"};
    static constexpr const char* natureHeader = "Tipo operazione";
    static constexpr const char* purchaseTypeHeader = "Tipo";

    // Kinds of operation (Combo2 for sales, Combo3 for purchases) and purchase types (Combo1).
    static constexpr std::array<const char*, 6> natures{
        "Escluso ex.art15", "Non soggetto", "Non imponibile", "Esente", "Regime margine", "Reverse Charge"};
    static constexpr std::array<const char*, 3> purchaseTypes{"Normale", "Reverse C", "Intra"};

    static constexpr const char* salesCaption =
        "Aliquote iva e codici di esenzione da utilizzare nelle procedure di emissione o registrazione "
        "di fatture emesse";
    static constexpr const char* purchaseCaption =
        "Aliquote iva e codici di esenzione da utilizzare nelle procedure di registrazione di fatture "
        "ricevute";
    static constexpr const char* pensionDescriptionLabel =
        "Descrizione contributo integrativo cassa previdenza (professionisti)";
    static constexpr const char* interestRateLabel =
        "Aliquota interessi liquidazione iva dovuti da contribuenti trimestrali";
    static constexpr const char* tassaCaption = "Applica iva";
    static constexpr const char* esigCaption = "Iva ad esigibilità differita";

    explicit VatCodesForm(core::Session& session);

    std::string name() const override { return "zelstiva"; }
    std::string title() const override { return "Tabella codici iva"; }

    // Loads the tables file and kalvora.ilm of the current company and shows codes 1..8 twice.
    void open();

    using TableEditorForm::tables;

    // VScroll1 and VScroll2: the code shown in the first row of each set.
    int salesFirst() const { return sales_.first(); }
    int purchaseFirst() const { return purchases_.first(); }
    void scrollSales(int first);
    void scrollPurchases(int first);

    // What text1 box `index` shows, and the user's edit of it (written to its cell at once).
    const std::string& text(int index) const { return texts_.at(index); }
    void editText(int index, std::string text);

    // Row labels of the sales set (row 0..7 shows code salesFirst() + row) and of the purchases.
    std::string salesRateLabel(int row) const;
    std::string salesExemptionLabel(int row) const;
    std::string purchaseRateLabel(int row) const;
    std::string purchaseExemptionLabel(int row) const;

    // List indexes shown per row; noSelection when never chosen.
    int salesNature(int row) const { return salesNature_.at(row); }
    int purchaseNature(int row) const { return purchaseNature_.at(row); }
    int purchaseType(int row) const { return purchaseType_.at(row); }
    void chooseSalesNature(int row, int index);     // Combo2
    void choosePurchaseNature(int row, int index);  // Combo3
    void choosePurchaseType(int row, int index);    // Combo1

    bool tassa() const { return tassa_; }
    bool esig() const { return esig_; }
    void setTassa(bool ticked) { tassa_ = ticked; }
    void setEsig(bool ticked) { esig_ = ticked; }

    // The text1 box holding the focus. Enter moves it to the following box, except: from the
    // %CP box of sales row r (6r+3) to its %Agr box (82+r), from there to the row's description
    // (6r+4); in boxes 79, 80 and 81 it stays where it was pressed.
    int focusedBox() const { return focus_; }
    void setFocus(int index);
    void enterPressed(int index);

    // The stored form of T3/T4 column 1: description padded or cut to 100, nature, 99 blanks, "*".
    static std::string storedDescription(std::string_view description, std::string_view nature);

protected:
    // At confirm: T3(0, 1) from the check boxes and the stored form of every description;
    // kalvora.ilm is written after the tables file.
    void encodeForSave(TablesFile& tables) const override;
    std::string companionPath() const override;
    int saveCompanionFile() override;

private:
    void showSales();
    void showPurchases();
    std::string* cellOf(int index);

    PageSelector sales_{codeCount, visibleRows};
    PageSelector purchases_{codeCount, visibleRows};
    std::array<std::string, boxCount> texts_{};
    std::array<int, visibleRows> salesNature_{};
    std::array<int, visibleRows> purchaseNature_{};
    std::array<int, visibleRows> purchaseType_{};
    bool tassa_ = false;
    bool esig_ = false;
    int focus_ = 0;
};

}  // namespace kalvora::tables
