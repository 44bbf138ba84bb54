#include "ui/dialog_button.h"

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

}  // namespace kalvora::ui
