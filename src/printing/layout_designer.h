#pragma once
// The form grid designer zellyy: edits the lines, rectangles, fixed texts and pictures of the
// blank form of one document type on an in-memory copy of its grid file, written only on save.
#include "core/form.h"
#include "printing/layout_files.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace kalvora::core {
class Session;
}

namespace kalvora::printing {

// The frame shown beside the list: nothing being edited, or the editor of one kind.
enum class DesignerFrame { Nulla = 0, Linea = 1, Rettangolo = 2, Testo = 3, Logo = 4 };

// The style chosen for the text being entered, held as the texts the file will take.
struct PendingStyle {
    std::string fontName = "Arial";
    std::string size = "9";
    std::string bold = "0";
    std::string italic = "0";
    bool operator==(const PendingStyle&) const = default;
};

class LayoutDesignerForm : public core::Form {
public:
    static constexpr int coordinateFields = 4;

    LayoutDesignerForm(core::Session& session, DocumentType type);

    std::string name() const override { return "zellyy"; }
    std::string title() const override;

    // Reads the grid file of the type (missing: an empty grid), fills the list, shows `nulla`.
    void open();

    DocumentType documentType() const { return type_; }
    const FormGrid& grid() const { return grid_; }
    // List1: one entry per used slot, "001 Linea (X1= 2; Y1= 45; X2= 95; Y2= 80".
    const std::vector<std::string>& entries() const { return entries_; }
    int topEntry() const { return topEntry_; }
    void setTopEntry(int entry);

    DesignerFrame frame() const { return frame_; }
    int mode() const { return mode_; }          // 0 entering a new element, 1 modifying one
    int currentSlot() const { return current_; }
    bool deleteVisible() const { return mode_ == 1 && frame_ != DesignerFrame::Nulla; }  // xelimina
    // The fields of each frame as they read: coord1 (Linea), coord2, coord3 (X, Y, text), coord4.
    // Empty for a field the frame does not have.
    const std::string& coordinate(DesignerFrame frame, int index) const;
    // Number of coordinate fields of a frame: 4, or 3 for Testo, 0 for Nulla.
    static int fieldCount(DesignerFrame frame);
    long colour(int swatch) const { return colours_.at(static_cast<std::size_t>(swatch)); }  // colore1..3 as 0..2
    bool filled() const { return filled_; }                      // pieno
    const std::string& fontCaption() const { return fontCaption_; }  // carattere
    const PendingStyle& pendingStyle() const { return style_; }
    const std::string& pictureFile() const { return pictureFile_; }  // nomefile, as stored
    // Where a stored picture path lies on this system, for the previews; nullopt when nowhere.
    std::optional<std::string> pictureOnThisSystem(const std::string& stored) const;
    // The coordinate field that should take the focus after the last action; -1 for none.
    int focusField() const { return focus_; }

    // command11: starts a new element of kind k + 1 (0 line, 1 rectangle, 2 text, 3 picture).
    void newElement(int k);
    // Click in List1: the slot is read from the entry's first three characters.
    void selectEntry(int entry);
    void selectSlot(int slot);
    void editCoordinate(DesignerFrame frame, int index, std::string text);
    // Corrects the field's value as it loses the focus.
    void leaveCoordinate(DesignerFrame frame, int index);
    // Enter in a field: the field of the same frame that takes the focus (no further than the last).
    int enterCoordinate(DesignerFrame frame, int index);
    void setFilled(bool on);
    void chooseColour(int k);   // xsfoglia
    void chooseFont();          // sfoglia2
    // sfoglia3: a .bmp or .jpg file under the drive root, kept as "C:\..." from the root.
    void choosePicture();
    void confirm(int k);        // xaggiungi
    void remove(int k);         // xelimina
    void shift(int index);      // Command1, 4 left, 5 up, 6 down, 7 right

    // bottone 0..4.
    void exitWithoutSaving();
    void save();
    // Asks first; an invoice also asks whether to leave room for the withholding tax.
    void defaultLayout();
    void testPrint();
    void clearAll();
    void button(int index);

    // The list entry of one element (without its slot number for an unknown kind).
    static std::string entryText(int slot, const GridElement& element);
    // X1 and Y1 at least 1, X2 at most 210, Y2 at most 297, for elements 1..count.
    static void normalise(FormGrid& grid);

private:
    std::string& field(DesignerFrame frame, int index);
    void showFrame(DesignerFrame frame);
    void afterChange();
    void backToIdle();

    DocumentType type_;
    FormGrid grid_;
    std::vector<std::string> entries_;
    int topEntry_ = 0;
    DesignerFrame frame_ = DesignerFrame::Nulla;
    int mode_ = 0;
    int current_ = 0;
    std::array<std::array<std::string, coordinateFields>, 4> coords_{};
    std::array<long, 3> colours_{};
    bool filled_ = false;
    std::string fontCaption_ = "Arial";
    PendingStyle style_;
    std::string pictureFile_;
    int focus_ = -1;
};

// Opens the designer of `type` for the current company and waits until it closes. A type without
// layout files says so and opens nothing.
void openLayoutDesigner(core::Session& session, DocumentType type);

}  // namespace kalvora::printing
