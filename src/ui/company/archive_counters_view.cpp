#include "ui/company/archive_counters_view.h"

#include "company/archive_counters.h"
#include "ui/check_buttons.h"
#include "ui/icons.h"
#include "ui/qt_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kalvora::ui {

using company::ArchiveCountersForm;
using Box = ArchiveCountersForm::Box;

namespace {

static_assert(ArchiveCountersForm::text1Count == 19 && ArchiveCountersForm::text2Count == 13 &&
              ArchiveCountersForm::numeCount == 2);

QLineEdit* counterBox(QWidget* parent, const QString& name, const QString& label) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setAccessibleName(label);
    box->setMaxLength(static_cast<int>(ArchiveCountersForm::maxDigits) + 2);
    box->setAlignment(Qt::AlignRight);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000000000")) + 14);
    return box;
}

}  // namespace

ArchiveCountersView::ArchiveCountersView(ArchiveCountersForm& form, QWidget* parent)
    : FormDialog(form, parent), form_(form) {
    QVBoxLayout* column = dialogColumn(this, toQt(form.name()), icons::application());
    auto* row = new QHBoxLayout;
    column->addLayout(row);

    // The archive counts, in two columns.
    auto* counts = new QGridLayout;
    counts->setHorizontalSpacing(8);
    for (int k = 0; k < ArchiveCountersForm::text1Count; ++k) {
        const QString caption = QString::fromUtf8(ArchiveCountersForm::text1Labels[static_cast<std::size_t>(k)]);
        QLineEdit* box = counterBox(this, QStringLiteral("text1_%1").arg(k), caption);
        auto* label = new QLabel(caption, this);
        label->setBuddy(box);
        const int half = (ArchiveCountersForm::text1Count + 1) / 2;
        counts->addWidget(label, k % half, (k / half) * 2);
        counts->addWidget(box, k % half, (k / half) * 2 + 1);
        connect(box, &QLineEdit::textEdited, this, [this, k](const QString& t) { form_.setText(Box::Text1, k, fromQt(t)); });
        text1_[static_cast<std::size_t>(k)] = box;
    }
    row->addLayout(counts);

    auto* frame = new QGroupBox(QString::fromUtf8(ArchiveCountersForm::frameCaption), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* documents = new QGridLayout(frame);
    documents->addWidget(new QLabel(QStringLiteral("Fatture e ricevute fiscali emesse"), frame), 0, 0, 1, 2);
    for (int k = 0; k < ArchiveCountersForm::text2Count; ++k) {
        const QString caption = QString::fromUtf8(ArchiveCountersForm::text2Labels[static_cast<std::size_t>(k)]);
        QLineEdit* box = counterBox(frame, QStringLiteral("Text2_%1").arg(k), caption);
        auto* label = new QLabel(caption, frame);
        label->setBuddy(box);
        documents->addWidget(label, k + 1, 0);
        documents->addWidget(box, k + 1, 1);
        connect(box, &QLineEdit::textEdited, this, [this, k](const QString& t) { form_.setText(Box::Text2, k, fromQt(t)); });
        text2_[static_cast<std::size_t>(k)] = box;
    }
    int next = ArchiveCountersForm::text2Count + 1;
    register_ = new QComboBox(frame);
    register_->setObjectName(QStringLiteral("Combo1"));
    for (const char* entry : ArchiveCountersForm::registers) register_->addItem(QString::fromUtf8(entry));
    auto* registerLabel =
        new QLabel(QStringLiteral("Fatture PA") + QString::fromUtf8(ArchiveCountersForm::registerCaption), frame);
    registerLabel->setBuddy(register_);
    register_->setAccessibleName(registerLabel->text());
    documents->addWidget(registerLabel, next, 0);
    documents->addWidget(register_, next++, 1);
    connect(register_, &QComboBox::activated, this, [this](int index) { form_.chooseVatRegister(index); });
    const QString numeOwners[] = {QStringLiteral("Fatture ricevute"), QStringLiteral("Fatture integrate Reverse Charge")};
    for (std::size_t k = 0; k < nume_.size(); ++k) {
        auto* box = new QCheckBox(numeOwners[k] + ": " + QString::fromUtf8(ArchiveCountersForm::numeCaption), frame);
        box->setObjectName(QStringLiteral("nume_%1").arg(k));
        documents->addWidget(box, next++, 0, 1, 2);
        onToggled(box, this, [this, k](bool on) { form_.setSeparateNumbering(static_cast<int>(k), on); });
        nume_[k] = box;
    }
    row->addWidget(frame);
    addButtons(column, [this] { form_.confirm(); });
    refresh();
}

void ArchiveCountersView::leaveForm() { form_.cancel(); }

void ArchiveCountersView::focusField() {
    if (const auto focus = form_.focus()) {
        QLineEdit* box = focus->box == Box::Text1 ? text1_.at(static_cast<std::size_t>(focus->index))
                                                  : text2_.at(static_cast<std::size_t>(focus->index));
        box->setFocus(Qt::OtherFocusReason);
        box->selectAll();
    }
}

void ArchiveCountersView::refresh() {
    setWindowTitle(toQt(form_.title()));
    const auto show = [](QLineEdit* box, const std::string& text) {
        if (box->text() != toQt(text)) box->setText(toQt(text));
    };
    for (std::size_t k = 0; k < text1_.size(); ++k) show(text1_[k], form_.text(Box::Text1, static_cast<int>(k)));
    for (std::size_t k = 0; k < text2_.size(); ++k) show(text2_[k], form_.text(Box::Text2, static_cast<int>(k)));
    register_->setCurrentIndex(form_.vatRegister());
    for (std::size_t k = 0; k < nume_.size(); ++k) showChecked(nume_[k], form_.separateNumbering(static_cast<int>(k)));
}

}  // namespace kalvora::ui
