#include "ui/company/register_numbering_view.h"

#include "company/register_numbering.h"
#include "ui/check_buttons.h"
#include "ui/icons.h"
#include "ui/qt_text.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kalvora::ui {

RegisterNumberingView::RegisterNumberingView(company::RegisterNumberingForm& form, QWidget* parent)
    : FormDialog(form, parent), form_(form) {
    QVBoxLayout* column = dialogColumn(this, toQt(form.name()), icons::application());
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    const QString captions[] = {QStringLiteral("Nome del registro"), QStringLiteral("Numero pagina iniziale"),
                                QStringLiteral("Numero pagina finale")};
    for (int k = 0; k < company::RegisterNumberingForm::fieldCount; ++k) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("text1_%1").arg(k));
        box->setAccessibleName(captions[k]);
        if (k == 0) {
            box->setMinimumWidth(320);
        } else {
            box->setMaxLength(9);
            box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 14);
        }
        auto* label = new QLabel(captions[k], this);
        label->setBuddy(box);
        grid->addWidget(label, k, 0);
        grid->addWidget(box, k, 1, Qt::AlignLeft);
        connect(box, &QLineEdit::textEdited, this, [this, k](const QString& t) { form_.setText(k, fromQt(t)); });
        texts_[static_cast<std::size_t>(k)] = box;
    }
    anno_ = new QCheckBox(QStringLiteral("Numerazione preceduta dall'anno in corso"), this);
    anno_->setObjectName(QStringLiteral("anno"));
    grid->addWidget(anno_, 3, 0, 1, 2);
    onToggled(anno_, this, [this](bool on) { form_.setAnno(on); });
    // Enter goes on to the following field, as Tab does.
    for (std::size_t k = 0; k < texts_.size(); ++k) {
        QWidget* next = k + 1 < texts_.size() ? static_cast<QWidget*>(texts_[k + 1]) : anno_;
        connect(texts_[k], &QLineEdit::returnPressed, next, [next] { next->setFocus(Qt::TabFocusReason); });
    }
    column->addLayout(grid);
    addButtons(column, [this] { form_.print(); });
    refresh();
}

void RegisterNumberingView::leaveForm() { form_.cancel(); }

void RegisterNumberingView::refresh() {
    setWindowTitle(toQt(form_.title()));
    for (std::size_t k = 0; k < texts_.size(); ++k) {
        const QString text = toQt(form_.text(static_cast<int>(k)));
        if (texts_[k]->text() != text) texts_[k]->setText(text);
    }
    showChecked(anno_, form_.anno());
}

}  // namespace kalvora::ui
