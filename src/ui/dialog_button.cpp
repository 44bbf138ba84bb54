#include "ui/dialog_button.h"

#include "ui/icons.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace kalvora::ui {

QToolButton* dialogButton(QWidget* parent, const QString& objectName, const QIcon& icon, const QString& name) {
    auto* b = new QToolButton(parent);
    b->setObjectName(objectName);
    b->setIcon(icon);
    b->setIconSize(QSize(32, 32));
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    b->setToolTip(name);
    b->setAccessibleName(name);
    b->setMinimumSize(52, 44);
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

DialogButtons dialogButtons(QWidget* parent) {
    DialogButtons out;
    out.layout = new QHBoxLayout;
    out.layout->addStretch(1);
    out.confirm = dialogButton(parent, QStringLiteral("bottone_1"), icons::confirm(), QStringLiteral("Conferma"));
    out.cancel = dialogButton(parent, QStringLiteral("bottone_0"), icons::cancel(), QStringLiteral("Annulla"));
    out.layout->addWidget(out.confirm);
    out.layout->addWidget(out.cancel);
    return out;
}

QFrame* sunkenLine(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QLabel* boldLabel(QWidget* parent, const QString& text) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

}  // namespace kalvora::ui
