#include "ui/users_table_view.h"

#include "ui/dialog_button.h"
#include "ui/icons.h"
#include "ui/table_boxes.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace kalvora::ui {

namespace {

using Form = launcher::UsersTableForm;

}  // namespace

UsersTableView::UsersTableView(launcher::UsersTableForm& form, QWidget* parent)
    : FormDialog(form, parent), form_(form) {
    QVBoxLayout* column = dialogColumn(this, QStringLiteral("zelstpwd"), icons::user());

    auto* frame = new QGroupBox(QString::fromUtf8(Form::frameText), this);
    auto* grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(2);
    grid->setColumnMinimumWidth(1, 260);
    grid->setColumnMinimumWidth(2, 200);
    grid->addWidget(boldLabel(frame, QStringLiteral("N.")), 0, 0, Qt::AlignRight);
    grid->addWidget(boldLabel(frame, QStringLiteral("Nome utente")), 0, 1);
    grid->addWidget(boldLabel(frame, QStringLiteral("Password")), 0, 2);

    for (int r = 1; r <= rows; ++r) {
        Row& row = rows_[r];
        row.number = new QLabel(frame);
        row.number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        row.number->setMinimumWidth(24);
        row.name = new QLineEdit(frame);
        row.name->setObjectName(QStringLiteral("text1_%1").arg(r));
        row.password = new QLineEdit(frame);
        row.password->setObjectName(QStringLiteral("sc4_%1").arg(r));
        grid->addWidget(row.number, r, 0);
        grid->addWidget(row.name, r, 1);
        grid->addWidget(row.password, r, 2);

        for (const int col : {Form::nameColumn, Form::passwordColumn}) {
            QLineEdit* edit = field(r, col);
            edit->installEventFilter(this);
            connect(edit, &QLineEdit::textEdited, this, [this, r, col, edit](const QString& text) {
                const QString clean = cleanedBoxText(edit, text);
                if (col == Form::nameColumn)
                    form_.editName(r, fromQt(clean));
                else
                    form_.editPassword(r, fromQt(clean));
            });
            connect(edit, &QLineEdit::returnPressed, this, [this, r, col] {
                form_.enterPressed(r, col);
                refresh();
                focusField();
            });
        }
    }

    page_ = new QScrollBar(Qt::Vertical, frame);
    page_->setObjectName(QStringLiteral("selpag"));
    page_->setRange(1, Form::lastFirstEntry);
    page_->setSingleStep(1);
    page_->setPageStep(rows);
    page_->setAccessibleName(QStringLiteral("Primo utente mostrato"));
    grid->addWidget(page_, 1, 3, rows, 1);
    connect(page_, &QScrollBar::valueChanged, this, [this](int value) {
        form_.scrollTo(value);
        refresh();
    });
    column->addWidget(frame);

    const DialogButtons buttons = addButtons(column, [this] { form_.confirm(); });
    disable_ = new QPushButton(QStringLiteral("Disattiva"), this);
    disable_->setObjectName(QStringLiteral("disattiva"));
    disable_->setToolTip(QStringLiteral("Disattiva il sistema di password e cancella la tabella degli utenti"));
    disable_->setAutoDefault(false);
    buttons.layout->insertWidget(0, disable_);

    onClick(disable_, [this] { form_.disable(); });

    QWidget* previous = nullptr;
    for (int r = 1; r <= rows; ++r) {
        for (QWidget* next : {static_cast<QWidget*>(rows_[r].name), static_cast<QWidget*>(rows_[r].password)}) {
            if (previous) setTabOrder(previous, next);
            previous = next;
        }
    }
    for (QWidget* next : {static_cast<QWidget*>(buttons.confirm), static_cast<QWidget*>(buttons.cancel),
                          static_cast<QWidget*>(disable_)}) {
        setTabOrder(previous, next);
        previous = next;
    }

    refresh();
    focusField();
}

QLineEdit* UsersTableView::field(int r, int column) const {
    if (r < 1 || r > rows) return nullptr;
    return column == Form::nameColumn ? rows_[r].name : rows_[r].password;
}

void UsersTableView::refresh() {
    setWindowTitle(toQt(form_.title()));
    form_.setLoading(true);
    for (int r = 1; r <= rows; ++r) {
        const launcher::UserRow shown = form_.row(r);
        Row& row = rows_[r];
        const QString number = QString::number(shown.user);
        row.number->setText(number);
        const QString name = toQt(shown.name);
        const QString password = toQt(shown.password);
        if (row.name->text() != name) row.name->setText(name);
        if (row.password->text() != password) row.password->setText(password);
        row.name->setAccessibleName(QStringLiteral("Nome utente ") + number);
        row.password->setAccessibleName(QStringLiteral("Password ") + number);
    }
    form_.setLoading(false);
    const QSignalBlocker blocker(page_);
    page_->setValue(form_.firstEntry());
}

void UsersTableView::focusField() {
    if (QLineEdit* edit = field(form_.focusedRow(), form_.focusedColumn())) edit->setFocus(Qt::OtherFocusReason);
}

bool UsersTableView::eventFilter(QObject* watched, QEvent* event) {
    for (int r = 1; r <= rows; ++r) {
        for (const int col : {Form::nameColumn, Form::passwordColumn}) {
            if (watched != field(r, col)) continue;
            if (event->type() == QEvent::FocusIn) {
                form_.setFocus(r, col);
            } else if (event->type() == QEvent::KeyPress) {
                // Page keys page the grid from any field, keeping the focus in its row.
                const int key = static_cast<QKeyEvent*>(event)->key();
                if (key == Qt::Key_PageDown || key == Qt::Key_PageUp) {
                    page_->triggerAction(key == Qt::Key_PageDown ? QAbstractSlider::SliderPageStepAdd
                                                                 : QAbstractSlider::SliderPageStepSub);
                    return true;
                }
            }
            return FormDialog::eventFilter(watched, event);
        }
    }
    return FormDialog::eventFilter(watched, event);
}

void UsersTableView::wheelEvent(QWheelEvent* event) {
    QApplication::sendEvent(page_, event);
}

}  // namespace kalvora::ui
