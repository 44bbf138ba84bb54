#pragma once
// The conversion window zelacnv: under the frame "Conversione archivi" a bar ProgressBar1_i
// for each archive group with its name (Label1_i), and bottone_1 "Conferma" / bottone_0
// "Annulla".
#include "ui/form_dialog.h"

#include <vector>

class QProgressBar;

namespace kalvora::company {
class ArchiveConversionForm;
}

namespace kalvora::ui {

class ArchiveConversionView : public FormDialog {
    Q_OBJECT
public:
    explicit ArchiveConversionView(company::ArchiveConversionForm& form, QWidget* parent = nullptr);
    // The form outlives its window: it stops telling this one of its progress.
    ~ArchiveConversionView() override;
    void refresh() override;

protected:
    void leaveForm() override;

private:
    company::ArchiveConversionForm& form_;
    std::vector<QProgressBar*> bars_;
    DialogButtons buttons_;
};

}  // namespace kalvora::ui
