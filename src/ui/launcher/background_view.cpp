#include "ui/launcher/background_view.h"

#include "launcher/background_form.h"
#include "ui/check_buttons.h"
#include "ui/icons.h"
#include "ui/launcher/backdrop.h"
#include "ui/qt_text.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kalvora::ui {

BackgroundView::BackgroundView(launcher::BackgroundForm& form, QWidget* parent)
    : FormDialog(form, parent), form_(form) {
    QVBoxLayout* column = dialogColumn(this, toQt(form.name()), icons::application());
    options_ = new QButtonGroup(this);
    // The colour and the user's picture first, each with its fields, then the delivered
    // pictures in two columns and the transparent screen last.
    auto addOption = [this](int choice) {
        auto* option = new QRadioButton(toQt(launcher::backgroundCaptions[std::size_t(choice)]), this);
        option->setObjectName(QStringLiteral("imm_%1").arg(choice));
        options_->addButton(option, choice);
        onChosen(option, this, [this, choice] {
            form_.select(choice);
            refresh();
        });
        return option;
    };

    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(addOption(launcher::plainColourBackground));
    sample_ = new QLabel(this);
    sample_->setObjectName(QStringLiteral("carattere"));
    sample_->setFixedSize(48, 22);
    sample_->setFrameShape(QFrame::Box);
    sample_->setAutoFillBackground(true);
    sample_->setAccessibleName(QStringLiteral("Colore di sfondo"));
    colourRow->addWidget(sample_);
    auto* chooseColour = new QPushButton(QStringLiteral("Colore..."), this);
    chooseColour->setObjectName(QStringLiteral("selcar"));
    chooseColour->setAccessibleName(QStringLiteral("Scegli il colore di sfondo"));
    colourRow->addWidget(chooseColour);
    colourRow->addStretch(1);
    column->addLayout(colourRow);

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(addOption(launcher::ownPictureBackground));
    path_ = new QLineEdit(this);
    path_->setObjectName(QStringLiteral("text1"));
    path_->setAccessibleName(QStringLiteral("Percorso dell'immagine personalizzata"));
    path_->setMinimumWidth(300);
    pathRow->addWidget(path_, 1);
    auto* browse = new QPushButton(QStringLiteral("Sfoglia..."), this);
    browse->setObjectName(QStringLiteral("Command1"));
    browse->setAccessibleName(QStringLiteral("Sfoglia per scegliere l'immagine"));
    pathRow->addWidget(browse);
    column->addLayout(pathRow);

    auto* pictures = new QGridLayout;
    const int delivered = launcher::lastDeliveredBackground - launcher::firstDeliveredBackground + 1;
    const int rows = (delivered + 1) / 2;
    for (int i = 0; i < delivered; ++i) pictures->addWidget(addOption(launcher::firstDeliveredBackground + i), i % rows, i / rows);
    column->addLayout(pictures);
    column->addWidget(addOption(launcher::transparentBackground));

    connect(path_, &QLineEdit::textEdited, this, [this](const QString& text) { form_.setPath(fromQt(text)); });
    onClick(browse, [this] { form_.browse(); });
    onClick(chooseColour, [this] { form_.chooseColour(); });
    addButtons(column, [this] { form_.confirm(); });
    refresh();
}

void BackgroundView::leaveForm() { form_.cancel(); }

void BackgroundView::refresh() {
    setWindowTitle(toQt(form_.title()));
    if (QAbstractButton* option = options_->button(form_.choice())) showChecked(option, true);
    const QString path = toQt(form_.path());
    if (path_->text() != path) path_->setText(path);
    QPalette palette = sample_->palette();
    palette.setColor(QPalette::Window, colourFromNumber(form_.colour()));
    sample_->setPalette(palette);
}

}  // namespace kalvora::ui
