#include "ui/launcher/update_installer_view.h"

#include "launcher/update_installer.h"
#include "ui/check_buttons.h"
#include "ui/icons.h"
#include "ui/qt_text.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace kalvora::ui {

UpdateInstallerView::UpdateInstallerView(launcher::UpdateInstallerForm& form, QWidget* parent)
    : FormDialog(form, parent), form_(form) {
    using Form = launcher::UpdateInstallerForm;
    QVBoxLayout* column = dialogColumn(this, toQt(form.name()), icons::application());
    auto* help = new QLabel(toQt(std::string(Form::help1) + "\n" + Form::help2), this);
    help->setObjectName(QStringLiteral("Label1"));
    help->setWordWrap(true);
    column->addWidget(help);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("List1"));
    list_->setAccessibleName(QStringLiteral("Operazioni eseguite"));
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    list_->setMinimumSize(480, 220);
    column->addWidget(list_);
    cancella_ = new QCheckBox(QStringLiteral("Elimina i files temporanei scaricati da Internet al termine "
                                             "dell'aggiornamento di Kalvora"),
                              this);
    cancella_->setObjectName(QStringLiteral("cancella"));
    onToggled(cancella_, this, [this](bool on) { form_.setCancella(on); });
    column->addWidget(cancella_);
    buttons_ = addButtons(column, [this] { form_.run(); });
    form_.onLog([this] { showLog(); });
    refresh();
}

UpdateInstallerView::~UpdateInstallerView() { form_.onLog({}); }

void UpdateInstallerView::leaveForm() { form_.cancel(); }

void UpdateInstallerView::showLog() {
    const auto& log = form_.log();
    for (std::size_t i = static_cast<std::size_t>(list_->count()); i < log.size(); ++i) list_->addItem(toQt(log[i]));
    list_->scrollToBottom();
    cancella_->setEnabled(!form_.running());
    buttons_.confirm->setEnabled(!form_.running());
    buttons_.cancel->setEnabled(!form_.running());
}

void UpdateInstallerView::refresh() {
    setWindowTitle(toQt(form_.title()));
    showChecked(cancella_, form_.cancella());
    showLog();
}

}  // namespace kalvora::ui
