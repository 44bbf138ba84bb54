#include "ui/launcher/postit_view.h"

#include "ui/dialog_button.h"
#include "ui/icons.h"
#include "ui/qt_text.h"
#include "ui/table_boxes.h"

#include <QEvent>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace kalvora::ui {

namespace {
using Form = launcher::PostitForm;
constexpr int textLength = 200;
}  // namespace

PostitView::PostitView(launcher::PostitForm& form, QWidget* parent) : FormDialog(form, parent), form_(form) {
    QVBoxLayout* column = dialogColumn(this, QStringLiteral("zelpostit"), icons::application());

    frame_ = new QGroupBox(this);
    auto* grid = new QFormLayout(frame_);
    grid->setHorizontalSpacing(12);
    text_ = new QLineEdit(frame_);
    text_->setObjectName(QStringLiteral("testo"));
    text_->setMaxLength(textLength);
    text_->setMinimumWidth(360);
    auto* textLabel = new QLabel(QStringLiteral("Testo"), frame_);
    textLabel->setBuddy(text_);
    text_->setAccessibleName(QStringLiteral("Testo del post-it"));
    grid->addRow(textLabel, text_);
    expiry_ = new QLineEdit(frame_);
    expiry_->setObjectName(QStringLiteral("scadenza"));
    expiry_->setMaxLength(10);
    expiry_->setFixedWidth(expiry_->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 16);
    auto* expiryLabel = new QLabel(QString::fromUtf8(Form::expiryLabel), frame_);
    expiryLabel->setBuddy(expiry_);
    expiry_->setAccessibleName(expiryLabel->text());
    grid->addRow(expiryLabel, expiry_);
    column->addWidget(frame_);

    int n = 0;
    for (const char* text : Form::explanations) {
        auto* label = new QLabel(QString::fromUtf8(text), this);
        label->setObjectName(QStringLiteral("Label_%1").arg(n++));
        label->setWordWrap(true);
        label->setMaximumWidth(460);
        column->addWidget(label);
    }

    for (QLineEdit* field : {text_, expiry_}) {
        field->installEventFilter(this);
        connect(field, &QLineEdit::textEdited, this, [this, field](const QString& typed) {
            const std::string clean = fromQt(cleanedBoxText(field, typed));
            if (field == text_)
                form_.setText(clean);
            else
                form_.setExpiry(clean);
        });
    }
    connect(text_, &QLineEdit::returnPressed, this, [this] { expiry_->setFocus(Qt::TabFocusReason); });
    connect(expiry_, &QLineEdit::returnPressed, this, [this] {
        form_.confirm();
        afterMove();
    });

    column->addWidget(sunkenLine(this));
    const DialogButtons buttons = dialogButtons(this);
    auto* remove = dialogButton(this, QStringLiteral("bottone_2"), style()->standardIcon(QStyle::SP_TrashIcon),
                                QStringLiteral("Elimina"));
    buttons.layout->insertWidget(2, remove);
    column->addLayout(buttons.layout);
    onClick(buttons.confirm, [this] { form_.confirm(); });
    onClick(remove, [this] { form_.remove(); });
    onClick(buttons.cancel, [this] { form_.cancel(); });

    setTabOrder(text_, expiry_);
    setTabOrder(expiry_, buttons.confirm);
    setTabOrder(buttons.confirm, remove);
    setTabOrder(remove, buttons.cancel);

    refresh();
    text_->setFocus(Qt::OtherFocusReason);
}

bool PostitView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && (watched == text_ || watched == expiry_)) {
        auto* field = static_cast<QLineEdit*>(watched);
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // The focus the window starts with leaves the hint in view, selected, so the first
        // keystroke replaces it; moving into a field by mouse or keyboard clears it.
        if (shown_ && (reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
                       reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason)) {
            form_.enterField(field == text_ ? Form::TextField : Form::ExpiryField);
            refresh();
        } else {
            QMetaObject::invokeMethod(field, &QLineEdit::selectAll, Qt::QueuedConnection);
        }
    }
    return FormDialog::eventFilter(watched, event);
}

void PostitView::showEvent(QShowEvent* event) {
    FormDialog::showEvent(event);
    QTimer::singleShot(0, this, [this] { shown_ = true; });
}

void PostitView::refresh() {
    setWindowTitle(toQt(form_.title()));
    frame_->setTitle(toQt(form_.frameCaption()));
    if (text_->text() != toQt(form_.shownText())) text_->setText(toQt(form_.shownText()));
    if (expiry_->text() != toQt(form_.shownExpiry())) expiry_->setText(toQt(form_.shownExpiry()));
}

void PostitView::focusField() {
    QLineEdit* field = form_.focusedField() == Form::TextField ? text_ : expiry_;
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}

}  // namespace kalvora::ui
