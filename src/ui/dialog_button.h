#pragma once
// The image-only buttons of the program's dialogs: an Italian name as tooltip and for screen
// readers, a size easy to hit, reachable with Tab.
#include <QIcon>
#include <QString>

class QToolButton;
class QWidget;

namespace kalvora::ui {

QToolButton* dialogButton(QWidget* parent, const QString& objectName, const QIcon& icon, const QString& name);

}  // namespace kalvora::ui
