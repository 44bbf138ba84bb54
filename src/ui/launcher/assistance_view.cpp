#include "ui/launcher/assistance_view.h"

#include "launcher/internet_functions.h"
#include "ui/icons.h"
#include "ui/qt_text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace kalvora::ui {

using launcher::AssistanceForm;

AssistanceView::AssistanceView(AssistanceForm& form, QWidget* parent) : FormDialog(form, parent), form_(form) {
    QVBoxLayout* column = dialogColumn(this, toQt(form.name()), icons::application());
    pages_ = new QStackedWidget(this);
    pages_->addWidget(page(1, QStringLiteral("Contatta il servizio di assistenza"),
                           QStringLiteral("Scrivi un messaggio al centro di assistenza ZEL oppure invia una copia "
                                          "degli archivi dell'azienda perché i tecnici possano controllarli. Se "
                                          "preferisci parlare con un tecnico, prenota una chiamata o una sessione "
                                          "di teleassistenza."),
                           {0, 1, 2, 3}));
    pages_->addWidget(page(2, QStringLiteral("Servizio \"richiamami\""),
                           QStringLiteral("Prenota una chiamata: un tecnico del centro di assistenza ZEL ti "
                                          "richiamerà al numero che indicherai."),
                           {5}));
    pages_->addWidget(page(3, QStringLiteral("Servizio \"teleassistenza\""),
                           QStringLiteral("Con la teleassistenza un tecnico del centro di assistenza ZEL vede il "
                                          "tuo schermo e ti guida. Prenota una sessione, oppure avvia ora il "
                                          "programma di teleassistenza se il tecnico te lo ha chiesto."),
                           {9, 10}));
    column->addWidget(pages_);
    // "Indietro" leads back to page 1 from the other two; "Chiudi" is on every page.
    auto* row = new QHBoxLayout;
    back_ = button(this, 6);
    row->addWidget(back_);
    row->addStretch(1);
    row->addWidget(button(this, 4));
    column->addLayout(row);
    refresh();
}

QWidget* AssistanceView::page(int number, const QString& heading, const QString& text,
                              std::initializer_list<int> buttons) {
    auto* frame = new QWidget(this);
    frame->setObjectName(QStringLiteral("Frame%1").arg(number));
    auto* column = new QVBoxLayout(frame);
    column->setContentsMargins(0, 0, 0, 0);
    auto* title = new QLabel(heading, frame);
    QFont font = title->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    title->setFont(font);
    column->addWidget(title);
    auto* help = new QLabel(text, frame);
    help->setWordWrap(true);
    help->setMinimumWidth(460);
    column->addWidget(help);
    for (int index : buttons) column->addWidget(button(frame, index));
    column->addStretch(1);
    return frame;
}

QPushButton* AssistanceView::button(QWidget* parent, int index) {
    auto* b = new QPushButton(toQt(AssistanceForm::caption(index)), parent);
    b->setObjectName(QStringLiteral("bottoni1_%1").arg(index));
    b->setMinimumHeight(30);
    onClick(b, [this, index] { form_.press(index); });
    return b;
}

void AssistanceView::refresh() {
    setWindowTitle(toQt(form_.title()));
    pages_->setCurrentIndex(form_.page() - 1);
    back_->setVisible(form_.page() != 1);
}

void AssistanceView::leaveForm() { form_.leave(); }

}  // namespace kalvora::ui
