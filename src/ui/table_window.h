#pragma once
// The frame every table window shares: a fixed-size column under the application icon, captioned
// frames with their help text, and at the foot a sunken line over the Conferma/Annulla bar.
#include "tables/table_editor.h"
#include "ui/form_dialog.h"
#include "ui/table_grid.h"

#include <QMargins>
#include <QObject>
#include <QToolButton>

class QDialog;
class QGroupBox;
class QLabel;
class QVBoxLayout;
class QWidget;

namespace kalvora::ui {

// Names the window, gives it the application icon and the title-bar buttons of a table window;
// returns the column its contents go in, which sizes the window to them.
QVBoxLayout* tableWindowColumn(QDialog* window, const QString& name, const QMargins& margins = QMargins(14, 14, 14, 12),
                               int spacing = 10);

// A captioned frame whose contents stack downwards in its QVBoxLayout.
QGroupBox* tableFrame(const QString& caption, QWidget* parent);

// The help text "aiuto" at the bottom of a frame made by tableFrame.
QLabel* addHelp(QGroupBox* frame, const QString& text);

// A table window: its column of contents, and at the foot Conferma (the form saves and closes)
// and Annulla (it closes without saving), which the close box and Esc stand for.
class TableDialog : public FormDialog {
    Q_OBJECT
public:
    TableDialog(tables::TableEditorForm& form, const QString& name, QWidget* parent,
                const QMargins& margins = QMargins(14, 14, 14, 12), int spacing = 10);

protected:
    QVBoxLayout* column() const { return column_; }
    // Closes the column with the sunken line and the button bar, wired to the form.
    TableButtons addFoot();
    void leaveForm() override { form_.exitWindow(); }

private:
    tables::TableEditorForm& form_;
    QVBoxLayout* column_ = nullptr;
};

// Puts widgets one after another in the Tab order.
class TabChain {
public:
    void operator()(QWidget* next);
    template <typename Range>
    void all(const Range& widgets) {
        for (QWidget* w : widgets) (*this)(w);
    }

private:
    QWidget* previous_ = nullptr;
};

}  // namespace kalvora::ui
