#pragma once
// The listing settings window zelttab: a page preview with the printable area framed by four
// scroll bars (HScroll1 the left edge and HScroll2 the right edge above and below the page,
// VScroll1 the top edge and VScroll2 the bottom edge on its left and right); the frames
// "Intestazione del tabulato", "Intestazione delle colonne" and "Contenuto delle colonne" with
// the font button selcar_k and its caption carattere_k, the colour button selcol_k and its swatch
// colore_k; "Contenuto delle colonne" also with Check1_0 "Celle colorate" and the row colours
// selcol_6 / selcol_7; "Interlinea" with Combo2, Check1_1 and selcol_4; "Griglia" with Combo1
// and selcol_5; the pagination options tipotab_0 / tipotab_1; bottone_1 "Conferma" and
// bottone_0 "Annulla".
#include "ui/form_dialog.h"

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLayout;
class QLabel;
class QRadioButton;
class QScrollBar;

namespace kalvora::printing {
class ListingSettingsForm;
}

namespace kalvora::ui {

class ListingPagePreview;

class ListingSettingsView : public FormDialog {
    Q_OBJECT
public:
    explicit ListingSettingsView(printing::ListingSettingsForm& form, QWidget* parent = nullptr);
    void refresh() override;

protected:
    void leaveForm() override;

private:
    // A frame with the font of `group` (selcar, carattere) and its colour (selcol, colore).
    QGroupBox* styleFrame(const QString& caption, int group);
    // A colour button selcol_k with its swatch colore_k, in a row of its own.
    QLayout* colourRow(QWidget* parent, int k, const QString& caption, const QString& frame);

    printing::ListingSettingsForm& form_;
    ListingPagePreview* preview_ = nullptr;
    std::array<QScrollBar*, 4> edges_{};  // left, right, top, bottom
    QComboBox* grid_ = nullptr;
    QComboBox* spacing_ = nullptr;
    std::array<QLabel*, 4> fontCaptions_{};  // carattere_1..3
    std::array<QLabel*, 8> swatches_{};      // colore_1..7
    std::array<QCheckBox*, 2> checks_{};
    std::array<QRadioButton*, 2> pagination_{};
};

}  // namespace kalvora::ui
