#include "ui/archive_copy_view.h"

#include "company/backup_form.h"
#include "ui/check_buttons.h"
#include "ui/coloured_rows_model.h"
#include "ui/dialog_button.h"
#include "ui/folder_chooser_view.h"
#include "ui/icons.h"
#include "ui/qt_text.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

#include <algorithm>

namespace kalvora::ui {

namespace {

// A button with its caption, `&` marking the letter that presses it with Alt.
QPushButton* textButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    return button;
}

// A number box of `maxLength` digits with its caption as the spoken name.
QLineEdit* daysBox(QWidget* parent, const QString& name, const QString& spoken) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setAccessibleName(spoken);
    box->setMaxLength(4);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    return box;
}

}  // namespace

ArchiveCopyView::ArchiveCopyView(company::ArchiveCopyForm& form, QWidget* parent)
    : FormDialog(form, parent), form_(form) {
    QVBoxLayout* column = dialogColumn(this, toQt(form.name()), icons::application(), QMargins(10, 10, 10, 10));
    column->setSizeConstraint(QLayout::SetDefaultConstraint);

    QStringList headers;
    for (const std::string& h : form_.columnHeaders()) headers << toQt(h);
    model_ = new ColouredRowsModel({headers, [this] { return static_cast<int>(form_.rows().size()); },
                                    [this](int r, int c) { return form_.cell(r, c); },
                                    [this](int r) { return form_.rows()[static_cast<std::size_t>(r)].colour; }},
                                   this);
    grid_ = rowsGrid(this, model_, QStringLiteral("Elenco archivi"));
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->horizontalHeader()->resizeSection(0, 150);
    grid_->horizontalHeader()->resizeSection(1, 420);
    grid_->setMinimumSize(680, grid_->horizontalHeader()->sizeHint().height() +
                                   company::ArchiveCopyForm::visibleRows * grid_->verticalHeader()->defaultSectionSize() + 4);
    connect(grid_, &QTableView::clicked, this, [this](const QModelIndex& index) {
        form_.toggle(index.row());
        afterMove();
    });
    column->addWidget(grid_);

    const auto scopes = form_.scopeTexts();
    for (int i = 0; i < 2; ++i) {
        scopes_[i] = new QRadioButton(toQt(scopes[i]), this);
        scopes_[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        onChosen(scopes_[i], this, [this, i] {
            form_.chooseScope(i == 0 ? company::FileScope::Operating : company::FileScope::All);
            model_->reload();
            afterMove();
        });
        column->addWidget(scopes_[i]);
    }

    auto* folderRow = new QHBoxLayout;
    auto* folderLabel = new QLabel(QStringLiteral("Cartella selezionata"), this);
    folder_ = new QLineEdit(this);
    folder_->setObjectName(QStringLiteral("Text1"));
    folder_->setReadOnly(true);
    folderLabel->setBuddy(folder_);
    QPushButton* browse = textButton(this, QStringLiteral("Sfoglia"), QStringLiteral("S&foglia"));
    folderRow->addWidget(folderLabel);
    folderRow->addWidget(folder_, 1);
    folderRow->addWidget(browse);
    column->addLayout(folderRow);

    browser_ = new QWidget(this);
    auto* browserColumn = new QVBoxLayout(browser_);
    browserColumn->setContentsMargins(0, 0, 0, 0);
    browserColumn->addWidget(new QLabel(toQt(form_.chooserLabel()), browser_));
    chooser_ = new FolderChooserView(form_.chooser(), browser_);
    browserColumn->addWidget(chooser_);
    QPushButton* take = textButton(browser_, QStringLiteral("bottone_2"), QStringLiteral("Seleziona &cartella"));
    browserColumn->addWidget(take, 0, Qt::AlignRight);
    column->addWidget(browser_);
    onClick(browse, [this] { form_.browse(); });
    connect(take, &QPushButton::clicked, this, [this] {
        form_.takeChosenFolder();
        model_->reload();
        afterMove();
    });

    if (auto* backup = dynamic_cast<company::BackupForm*>(&form_)) addPreferences(column, *backup);

    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("ProgressBar1"));
    progress_->setAccessibleName(QStringLiteral("Avanzamento della copia"));
    progress_->setRange(0, 1000);
    column->addWidget(progress_);

    auto* buttons = new QHBoxLayout;
    QPushButton* start = textButton(this, QStringLiteral("bottone_1"), QStringLiteral("&Avvia"));
    QPushButton* allYes = textButton(this, QStringLiteral("bottone_3"), QStringLiteral("Tutti &SI"));
    QPushButton* allNo = textButton(this, QStringLiteral("bottone_4"), QStringLiteral("Tutti &NO"));
    QPushButton* exit = textButton(this, QStringLiteral("bottone_0"), QStringLiteral("&Esci"));
    for (QPushButton* b : {start, allYes, allNo}) buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(exit);
    column->addWidget(sunkenLine(this));
    column->addLayout(buttons);
    onClick(start, [this] { form_.start(); });
    onClick(allYes, [this] { form_.setAll(true); });
    onClick(allNo, [this] { form_.setAll(false); });
    connect(exit, &QPushButton::clicked, this, [this] { leave(); });

    // During a long copy the rows and the bar move on before pending events run.
    form_.onProgress([this] { refresh(); });
    refresh();
}

void ArchiveCopyView::addPreferences(QBoxLayout* column, company::BackupForm& backup) {
    auto* reminder = new QCheckBox(QStringLiteral("Attiva promemoria copie di backup"), this);
    reminder->setObjectName(QStringLiteral("Check1"));
    auto* automatic = new QCheckBox(QStringLiteral("Attiva automatismo copie di backup (copia su hard disk)"), this);
    automatic->setObjectName(QStringLiteral("Check2"));
    QLineEdit* reminderDays = daysBox(this, QStringLiteral("Text2"), QStringLiteral("Giorni promemoria"));
    QLineEdit* automaticDays = daysBox(this, QStringLiteral("Text3"), QStringLiteral("Giorni automatismo"));
    lastBackup_ = new QLabel(this);
    lastBackup_->setObjectName(QStringLiteral("Label_data"));
    auto* grid = new QGridLayout;
    grid->addWidget(reminder, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Giorni"), this), 0, 1);
    grid->addWidget(reminderDays, 0, 2);
    grid->addWidget(automatic, 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("Giorni"), this), 1, 1);
    grid->addWidget(automaticDays, 1, 2);
    grid->addWidget(lastBackup_, 2, 0, 1, 3);
    column->addLayout(grid);
    onToggled(reminder, this, [&backup](bool on) { backup.setReminderOn(on); });
    onToggled(automatic, this, [&backup](bool on) { backup.setAutomaticOn(on); });
    connect(reminderDays, &QLineEdit::textEdited, this, [&backup](const QString& t) { backup.editReminderDays(fromQt(t)); });
    connect(automaticDays, &QLineEdit::textEdited, this,
            [&backup](const QString& t) { backup.editAutomaticDays(fromQt(t)); });
    // Enter moves on to the following field.
    connect(reminderDays, &QLineEdit::returnPressed, automatic, [automatic] { automatic->setFocus(); });
    connect(automaticDays, &QLineEdit::returnPressed, grid_, [this] { grid_->setFocus(); });
    refreshPreferences_ = [&backup, reminder, automatic, reminderDays, automaticDays, this] {
        showChecked(reminder, backup.reminderOn());
        showChecked(automatic, backup.automaticBox());
        if (!reminderDays->hasFocus()) reminderDays->setText(toQt(backup.reminderDays()));
        if (!automaticDays->hasFocus()) automaticDays->setText(toQt(backup.automaticDays()));
        const std::string last = backup.lastBackup();
        lastBackup_->setText(last.empty() ? QString() : QStringLiteral("Ultima copia: ") + toQt(last));
    };
}

void ArchiveCopyView::refresh() {
    setWindowTitle(toQt(form_.title()));
    model_->repaint();
    if (form_.copying()) grid_->scrollTo(model_->index(form_.topRow(), 0), QAbstractItemView::PositionAtTop);
    showChecked(scopes_[form_.scope() == company::FileScope::Operating ? 0 : 1], true);
    folder_->setText(toQt(form_.folder()));
    browser_->setVisible(form_.browsing());
    if (form_.browsing()) chooser_->refresh();
    const company::CopyProgress& p = form_.progress();
    // A file that grows while it is copied must not take the bar past its end.
    progress_->setValue(p.bytesTotal == 0 ? (p.filesTotal == 0 ? 0 : 1000 * p.filesDone / p.filesTotal)
                                          : static_cast<int>(1000 * std::min(p.bytesDone, p.bytesTotal) / p.bytesTotal));
    progress_->setFormat(QStringLiteral("%1 di %2 files").arg(p.filesDone).arg(p.filesTotal));
    // While copying, only the rows and the bar move.
    for (QPushButton* button : findChildren<QPushButton*>()) button->setEnabled(!form_.copying());
    if (refreshPreferences_) refreshPreferences_();
}

}  // namespace kalvora::ui
