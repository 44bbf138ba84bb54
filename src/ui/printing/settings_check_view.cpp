#include "ui/printing/settings_check_view.h"

#include "printing/settings_check.h"
#include "ui/icons.h"
#include "ui/qt_text.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace kalvora::ui {

SettingsCheckView::SettingsCheckView(printing::SettingsCheckForm& form, QWidget* parent)
    : FormDialog(form, parent), form_(form) {
    QVBoxLayout* column = dialogColumn(this, toQt(form.name()), icons::application());
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("List1"));
    list_->setAccessibleName(QStringLiteral("Risultato della verifica"));
    list_->setMinimumSize(640, 320);
    list_->setWordWrap(true);
    column->addWidget(list_);

    auto* bar = new QHBoxLayout;
    run_ = new QPushButton(QStringLiteral("esegui verifica"), this);
    run_->setObjectName(QStringLiteral("esegui"));
    run_->setDefault(true);
    onClick(run_, [this] {
        run_->setEnabled(false);
        form_.run();
        run_->setEnabled(true);
    });
    bar->addWidget(run_);
    bar->addStretch(1);
    QToolButton* exit = dialogButton(this, QStringLiteral("bottone_0"), icons::cancel(), QStringLiteral("Esci"));
    connect(exit, &QToolButton::clicked, this, [this] { leave(); });
    bar->addWidget(exit);
    column->addLayout(bar);
    refresh();
}

void SettingsCheckView::leaveForm() { form_.exit(); }

void SettingsCheckView::refresh() {
    setWindowTitle(toQt(form_.title()));
    list_->clear();
    for (const std::string& line : form_.list()) list_->addItem(toQt(line));
}

}  // namespace kalvora::ui
