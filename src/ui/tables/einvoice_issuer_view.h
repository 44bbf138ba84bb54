#pragma once
// The window kalkfpa: the warning above three tabs. The first holds the frame "Dati
// dell'emittente della fattura elettronica PA" (names, then "Dati fiscali"), the second the
// frames "Sede legale", "Stabile organizzazione" and "Recapiti", the third the XML options and
// the two folders with the drive and folder lists; bottone_1 checks and saves, bottone_0 leaves.
#include "tables/einvoice_issuer_form.h"
#include "ui/form_dialog.h"

#include <array>
#include <functional>
#include <span>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QTabWidget;

namespace kalvora::ui {

class FolderChooserView;

class EInvoiceIssuerView : public FormDialog {
    Q_OBJECT
public:
    explicit EInvoiceIssuerView(tables::EInvoiceIssuerForm& form, QWidget* parent = nullptr);
    void refresh() override;

protected:
    void leaveForm() override;
    void focusField() override;

private:
    using Form = tables::EInvoiceIssuerForm;

    // Adds Text2 k with its label on `row` of `grid`, in columns from `column`.
    QLineEdit* addText(QGridLayout* grid, int row, int column, int k, const QString& label,
                       const QString& spoken = {});
    QCheckBox* addCheck(QGridLayout* grid, int row, const QString& name, const QString& caption,
                        std::function<void(Form&, bool)> set);
    QComboBox* addList(QWidget* parent, const QString& name, const QString& spoken, std::span<const char* const> entries,
                       std::function<void(Form&, int)> choose);
    QWidget* issuerTab();
    QWidget* addressTab();
    QWidget* optionsTab();

    Form& form_;
    QTabWidget* tabs_ = nullptr;
    std::array<QLineEdit*, Form::textCount> texts_{};
    QComboBox* regime_ = nullptr;       // Combo1
    QComboBox* subjectKind_ = nullptr;  // Combo3
    QComboBox* register_ = nullptr;     // Combo2
    QCheckBox* rea_ = nullptr;
    QCheckBox* singleShareholder_ = nullptr;
    QCheckBox* liquidation_ = nullptr;
    QCheckBox* numbering_ = nullptr;
    QButtonGroup* standard_ = nullptr;
    std::array<QLineEdit*, 2> folders_{};  // nfile
    FolderChooserView* chooser_ = nullptr;
    // Set by a confirm the checks stopped: the focus goes to the box they name.
    bool focusPending_ = false;
};

}  // namespace kalvora::ui
