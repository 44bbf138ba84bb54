#include "ui/posting_accounts_view.h"

#include "ui/icons.h"
#include "ui/table_boxes.h"
#include "ui/table_grid.h"
#include "ui/table_window.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kalvora::ui {

namespace {

using Form = tables::PostingAccountsForm;

const char* boxProperty = "accountBox";
constexpr std::array<const char*, 3> accountParts = {"gruppo", "conto", "sottoconto"};
constexpr std::array<const char*, 2> masterParts = {"mastro", "gruppo"};

// The sales and purchase sides share two captions; screen readers hear which side is meant.
QString spokenCaption(int group) {
    QString caption = QString::fromUtf8(tables::accountGroups[group].caption);
    if (group == 5 || group == 6) caption += QStringLiteral(" (vendite)");
    if (group == 13 || group == 14) caption += QStringLiteral(" (acquisti)");
    return caption;
}

}  // namespace

PostingAccountsView::PostingAccountsView(tables::PostingAccountsForm& form, QWidget* parent)
    : TableDialog(form, QStringLiteral("zelstmas"), parent), form_(form) {

    auto* pages = new QHBoxLayout;
    pages->addWidget(buildAccounts());
    pages->addWidget(buildDescriptions());
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("List1"));
    list_->setAccessibleName(QStringLiteral("Piano dei conti"));
    list_->setMinimumWidth(320);
    for (const std::string& line : form_.listLines()) list_->addItem(toQt(line));
    // The box group that last had the focus keeps it: the list never takes it from the boxes.
    list_->setFocusPolicy(Qt::NoFocus);
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        form_.chooseListLine(list_->row(item));
        afterAction();
    });
    pages->addWidget(list_);
    column()->addLayout(pages);
    addFoot();

    refresh();
    boxes_[0]->setFocus(Qt::OtherFocusReason);
}

QGroupBox* PostingAccountsView::buildAccounts() {
    accounts_ = new QGroupBox(QString::fromUtf8(Form::accountsFrameText), this);
    accounts_->setObjectName(QStringLiteral("Frame2"));
    auto* layout = new QVBoxLayout(accounts_);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    for (int g = 0; g < tables::accountGroupCount; ++g) {
        const tables::AccountGroup& group = tables::accountGroups[g];
        grid->addWidget(new QLabel(QString::fromUtf8(group.caption), accounts_), g, 0);
        for (int b = 0; b < group.boxCount; ++b) {
            const int index = group.firstBox + b;
            const int width = tables::accountBoxWidth(index);
            QLineEdit* box = tableBox(accounts_, QStringLiteral("text1_%1").arg(index), width, width == 4 ? 52 : 34);
            const char* part = group.boxCount == 2 ? masterParts[b] : accountParts[b];
            box->setAccessibleName(spokenCaption(g) + QLatin1Char(' ') + QLatin1String(part));
            box->setProperty(boxProperty, index);
            box->installEventFilter(this);
            boxes_[index] = box;
            grid->addWidget(box, g, 1 + b);
            connect(box, &QLineEdit::textEdited, this, [this, index, box](const QString& text) {
                form_.editBox(index, fromQt(cleanedBoxText(box, text)));
                afterAction();
            });
            connect(box, &QLineEdit::returnPressed, this, [this] { focusNextChild(); });
        }
        auto* desc = new QLabel(accounts_);
        desc->setObjectName(QStringLiteral("desc_%1").arg(g));
        desc->setMinimumWidth(260);
        labels_[g] = desc;
        grid->addWidget(desc, g, 4);
    }
    layout->addLayout(grid);

    auto* bar = new QHBoxLayout;
    bar->addStretch(1);
    QToolButton* toDescriptions =
        tableButton(accounts_, 2, icons::proceed(), QStringLiteral("Descrizioni dei movimenti contabili"));
    onClick(toDescriptions, [this] { form_.showDescriptions(); });
    bar->addWidget(toDescriptions);
    layout->addLayout(bar);
    return accounts_;
}

QGroupBox* PostingAccountsView::buildDescriptions() {
    descriptions_ = new QGroupBox(QString::fromUtf8(Form::descriptionsFrameText), this);
    descriptions_->setObjectName(QStringLiteral("Frame1"));
    auto* layout = new QVBoxLayout(descriptions_);
    auto* grid = new QGridLayout;
    for (int d = 0; d < tables::descriptionCount; ++d) {
        auto* caption = new QLabel(QString::fromUtf8(tables::descriptionSlots[d].caption), descriptions_);
        QLineEdit* box = tableBox(descriptions_, QStringLiteral("Text2_%1").arg(d),
                                  static_cast<int>(tables::descriptionWidth), 330);
        caption->setBuddy(box);
        box->setAccessibleName(caption->text());
        texts_[d] = box;
        grid->addWidget(caption, d, 0);
        grid->addWidget(box, d, 1);
        connect(box, &QLineEdit::textEdited, this, [this, d, box](const QString& text) {
            form_.setDescription(d, fromQt(text));
            // Refused characters leave the cursor where the user was typing.
            const QString kept = toQt(form_.description(d));
            if (kept != text) {
                const int cursor = box->cursorPosition() - static_cast<int>(text.size() - kept.size());
                box->setText(kept);
                box->setCursorPosition(std::max(0, cursor));
            }
            afterAction();
        });
        connect(box, &QLineEdit::returnPressed, this, [this] { focusNextChild(); });
    }
    layout->addLayout(grid);
    for (const char* text : Form::helpLines) addHelp(descriptions_, QString::fromUtf8(text));

    auto* bar = new QHBoxLayout;
    bar->addStretch(1);
    QToolButton* toAccounts = tableButton(descriptions_, 3, icons::proceed(), QStringLiteral("Codici contabili"));
    connect(toAccounts, &QToolButton::clicked, this, [this] {
        form_.showAccounts();
        afterAction();
        if (form_.page() == Form::Page::Accounts)
            boxes_[0]->setFocus(Qt::OtherFocusReason);
        else
            focusField();
    });
    bar->addWidget(toAccounts);
    layout->addLayout(bar);
    return descriptions_;
}

// The form hears of every box taking and losing the focus, for the List1 choice and the padding.
bool PostingAccountsView::eventFilter(QObject* watched, QEvent* event) {
    if ((event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) && !form_.closed()) {
        const QVariant index = watched->property(boxProperty);
        if (index.isValid()) {
            if (event->type() == QEvent::FocusIn)
                form_.focusBox(index.toInt());
            else
                form_.leaveBox(index.toInt());
            refresh();
        }
    }
    return TableDialog::eventFilter(watched, event);
}

void PostingAccountsView::refresh() {
    setWindowTitle(toQt(form_.title()));
    const bool accountsPage = form_.page() == Form::Page::Accounts;
    accounts_->setVisible(accountsPage);
    list_->setVisible(accountsPage);
    descriptions_->setVisible(!accountsPage);
    for (int i = 0; i < tables::accountBoxCount; ++i) showBoxText(boxes_[i], form_.box(i));
    for (int g = 0; g < tables::accountGroupCount; ++g) {
        const QString label = toQt(form_.label(g));
        if (labels_[g]->text() != label) labels_[g]->setText(label);
        labels_[g]->setAccessibleName(spokenCaption(g) + QStringLiteral(": ") + label);
    }
    for (int d = 0; d < tables::descriptionCount; ++d) showBoxText(texts_[d], form_.description(d));
}

void PostingAccountsView::focusField() {
    const int d = form_.focusedDescription();
    if (d >= 0 && d < tables::descriptionCount && form_.page() == Form::Page::Descriptions)
        texts_[d]->setFocus(Qt::OtherFocusReason);
}

}  // namespace kalvora::ui
