#pragma once
// The image-only buttons of the program's dialogs: an Italian name as tooltip and for screen
// readers, a size easy to hit, reachable with Tab.
#include <QIcon>
#include <QString>

class QFrame;
class QHBoxLayout;
class QLabel;
class QToolButton;
class QWidget;

namespace kalvora::ui {

QToolButton* dialogButton(QWidget* parent, const QString& objectName, const QIcon& icon, const QString& name);

// The bar of bottone_1 "Conferma" and bottone_0 "Annulla", aligned right.
struct DialogButtons {
    QHBoxLayout* layout = nullptr;
    QToolButton* confirm = nullptr;
    QToolButton* cancel = nullptr;
};
DialogButtons dialogButtons(QWidget* parent);

// The sunken line over a dialog's button bar.
QFrame* sunkenLine(QWidget* parent);
// A caption in bold over a group of fields or a column.
QLabel* boldLabel(QWidget* parent, const QString& text);

}  // namespace kalvora::ui
