#pragma once
// The label layout window zelteti ("Impostazione marginatura etichetta") for one label kind: the
// sheet size and borders, the columns and rows of labels, five fixed texts, and where and in
// which font and colour each field of the kind's catalogue is printed on a label. It can print a
// test sheet of labels filled with sample data.
#include "core/form.h"
#include "core/session.h"
#include "printing/label_layouts.h"

#include <array>
#include <string>

namespace kalvora::printing {

class LabelLayoutForm : public core::Form {
public:
    static constexpr int textCount = 13;      // Text_0 .. Text_12
    static constexpr int numericTexts = 8;    // Text_0 .. Text_7
    static constexpr int visibleRows = 8;     // field rows shown at once
    static constexpr const char* fontDialogTitle = "Seleziona il tipo di carattere";
    static constexpr const char* colourDialogTitle = "Seleziona il colore";
    static constexpr const char* testPrintTitle = "Stampa di prova";

    // One field row of the list as shown.
    struct Row {
        int field = 0;             // 1-based field number; 0 for a row past the catalogue
        std::string campo;         // the caption
        std::string text1;         // horizontal position
        std::string text2;         // vertical position
        std::string carattere;     // "Arial (9)"
        long colore = 0;
    };

    // A kind outside 1..4 is taken as 1 (customers).
    LabelLayoutForm(core::Session& session, int kind);
    std::string name() const override { return "zelteti"; }
    std::string title() const override { return "Impostazione marginatura etichetta"; }

    // Reads the kind's file; a missing or unreadable one gives the defaults.
    void open();

    int kind() const { return kind_; }
    const LabelLayout& layout() const { return layout_; }
    // The sheet drawn by the preview, from the values as they are now.
    LabelSheet sheet() const { return labelSheet(layout_); }

    // Text_k: 0, 1 the sheet's width and height; 2..5 the left, right, top and bottom borders;
    // 6 the columns; 7 the labels per column; 8..12 the fixed texts 1..5.
    const std::string& text(int k) const;
    // A numeric value (k 0..7) takes only digits with at most one '.'; anything else is refused
    // and the value stays as it was. Fixed texts take any one line. True when taken.
    bool editText(int k, const std::string& value);

    // VScroll1: the first catalogue field shown (0-based), 0..maxFirstRow().
    int fieldCount() const;
    int firstRow() const { return first_; }
    int maxFirstRow() const;
    void scrollTo(int first);
    // Row r (0..visibleRows-1) as shown.
    Row row(int r) const;
    // text1_r / Text2_r: the same rule as the numeric Text values.
    bool editHorizontal(int r, const std::string& value) { return editPosition(r, 1, value); }
    bool editVertical(int r, const std::string& value) { return editPosition(r, 2, value); }
    // carattere_r: the font dialog preset with the field's font; a choice sets name, size, bold
    // and italic.
    void chooseFont(int r);
    // colore_r: the colour dialog; a choice sets the colour.
    void chooseColour(int r);

    // bottone_1: writes the file and closes. A fixed text the file cannot hold is refused, and a
    // failed write told; the window then stays open.
    void confirm();
    // bottone_0 and the close box: leaves without writing.
    void cancel() { close(); }
    // bottone_2: asks, then prints one sheet of labels with sample data.
    void testPrint();
    void button(int index);

    std::string path() const;

private:
    // The field shown on row r, 0 when none.
    int fieldAt(int r) const;
    bool editPosition(int r, int value, const std::string& text);
    // Stores an accepted number and marks it as typed here.
    void setNumber(int record, int value, const std::string& text);

    int kind_;
    LabelLayout layout_;
    // Numbers typed in this window; an empty or lone "." one is saved as "0".
    std::array<bool, LabelLayout::lineCount> typed_{};
    int first_ = 0;
};

// Opens the window of a label kind (1..4) and waits for it to close.
void openLabelLayout(core::Session& session, int kind);

}  // namespace kalvora::printing
