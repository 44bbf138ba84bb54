#include "ui/info_view.h"

#include "launcher/main_form.h"
#include "ui/icons.h"
#include "ui/qt_text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace kalvora::ui {

namespace {

// The product picture: the mark and the product's name on a band of the program's blue.
class ProductPicture : public QWidget {
public:
    explicit ProductPicture(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("immagine"));
        setAccessibleName(QString::fromLatin1(launcher::productName));
        setFixedSize(380, 150);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient g(0, 0, width(), height());
        g.setColorAt(0, QColor(0x2a, 0x5f, 0xa8));
        g.setColorAt(1, QColor(0x12, 0x33, 0x66));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRoundedRect(rect(), 10, 10);

        const int side = height() - 50;
        const QRect mark(26, (height() - side) / 2, side, side);
        icons::application().paint(&p, mark);

        QFont font = p.font();
        font.setPixelSize(44);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        const QRect text(mark.right() + 22, 0, width() - mark.right() - 30, height());
        p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(launcher::productName));
    }
};

}  // namespace

InfoView::InfoView(launcher::InfoForm& form, QWidget* parent) : FormDialog(form, parent), form_(form) {
    QVBoxLayout* column = dialogColumn(this, QStringLiteral("zelabout"), icons::application(), QMargins(18, 18, 18, 14),
                                       14, Qt::Window);
    setWindowTitle(toQt(form_.title()));
    column->addWidget(new ProductPicture(this));

    version_ = new QLabel(toQt(form_.versionLine()), this);
    version_->setObjectName(QStringLiteral("versione"));
    version_->setTextFormat(Qt::PlainText);
    version_->setAlignment(Qt::AlignCenter);
    QFont font = version_->font();
    font.setPointSizeF(font.pointSizeF() * 1.15);
    version_->setFont(font);
    column->addWidget(version_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    close_ = new QPushButton(QStringLiteral("Chiudi"), this);
    close_->setObjectName(QStringLiteral("chiudi"));
    close_->setDefault(true);
    close_->setMinimumWidth(96);
    buttons->addWidget(close_);
    buttons->addStretch(1);
    column->addLayout(buttons);
    connect(close_, &QPushButton::clicked, this, &InfoView::leave);
    close_->setFocus();
}

}  // namespace kalvora::ui
