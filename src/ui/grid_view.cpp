#include "ui/grid_view.h"

#include "ui/check_buttons.h"
#include "ui/table_boxes.h"
#include "ui/table_grid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace kalvora::ui {

namespace {

const char* boundProperty = "gridControl";

QString controlName(const GridColumn& c, int r, bool inGrid) {
    if (c.control.isEmpty()) return {};
    if (c.number) return QStringLiteral("%1_%2").arg(c.control).arg(c.number(r));
    return inGrid ? QStringLiteral("%1_%2").arg(c.control).arg(r) : c.control;
}

QLineEdit* makeBox(const GridColumn& c, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    if (c.maxLength > 0) box->setMaxLength(c.maxLength);
    if (c.width > 0) box->setFixedWidth(c.width);
    if (c.minimumWidth > 0) box->setMinimumWidth(c.minimumWidth);
    if (c.alignment) box->setAlignment(c.alignment);
    if (c.digitsOnly)
        box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
    return box;
}

QWidget* makeWidget(const GridColumn& c, QWidget* parent) {
    const QString caption = c.items.value(0);
    switch (c.kind) {
    case GridColumn::Kind::Box: return makeBox(c, parent);
    case GridColumn::Kind::List: {
        auto* list = new QComboBox(parent);
        list->addItems(c.items);
        return list;
    }
    case GridColumn::Kind::Check: return new QCheckBox(caption, parent);
    case GridColumn::Kind::Label: return new QLabel(caption, parent);
    }
    return nullptr;
}

}  // namespace

struct GridView::Grid {
    GridTable table;
    TableGrid* widget = nullptr;
    std::vector<std::vector<QWidget*>> cells;  // [row][column]
};

GridView::GridView(tables::TableEditorForm& form, QWidget* parent, const QMargins& margins, int spacing)
    : TableDialog(form, toQt(form.name()), parent, margins, spacing), form_(form) {}

GridView::~GridView() = default;

QWidget* GridView::bind(const GridColumn& c, int r, QWidget* parent, const GridTable* table) {
    QWidget* w = makeWidget(c, parent);
    w->setObjectName(controlName(c, r, table != nullptr));
    bound_.push_back({&c, r, w, table});
    if (c.focusIn || c.focusOut) {
        w->setProperty(boundProperty, static_cast<int>(bound_.size() - 1));
        w->installEventFilter(this);
    }
    if (auto* box = qobject_cast<QLineEdit*>(w)) {
        if (c.edit)
            connect(box, &QLineEdit::textEdited, this, [this, &c, r, box](const QString& text) {
                c.edit(r, fromQt(cleanedBoxText(box, text)));
                afterAction();
            });
        if (c.enter)
            connect(box, &QLineEdit::returnPressed, this, [this, &c, r] {
                c.enter(r);
                afterMove();
            });
    } else if (auto* list = qobject_cast<QComboBox*>(w)) {
        connect(list, qOverload<int>(&QComboBox::activated), this, [this, &c, r](int index) {
            c.choose(r, index);
            afterAction();
        });
    } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
        onToggled(check, this, [this, &c, r](bool ticked) {
            c.choose(r, ticked ? 1 : 0);
            afterAction();
        });
    }
    return w;
}

QGroupBox* GridView::grid(GridTable table) {
    auto grid = std::make_unique<Grid>();
    grid->table = std::move(table);
    const GridTable& t = grid->table;
    const int columns = static_cast<int>(t.columns.size());
    QGroupBox* frame = tableFrame(t.caption, this);
    grid->widget = new TableGrid(t.rows, columns, t.selector, frame);
    for (int c = 0; c < columns; ++c)
        if (!t.columns[c].header.isEmpty()) grid->widget->addHeader(c, t.columns[c].header, t.columns[c].headerSpan);
    grid->cells.resize(t.rows);
    for (int r = 0; r < t.rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            QWidget* w = bind(t.columns[c], r, grid->widget, &t);
            grid->widget->addCell(r, c, w);
            // A fixed caption names the control before it.
            auto* label = qobject_cast<QLabel*>(w);
            if (label && c > 0 && !t.columns[c].items.isEmpty()) label->setBuddy(grid->cells[r].back());
            grid->cells[r].push_back(w);
        }
    }
    frame->layout()->addWidget(grid->widget);
    for (const auto& [name, text] : t.notes) {
        auto* note = new QLabel(text, frame);
        note->setObjectName(name);
        note->setWordWrap(true);
        frame->layout()->addWidget(note);
    }
    connect(grid->widget, &TableGrid::firstChanged, this, [this, &t](int first) {
        t.scrollTo(first);
        afterAction();
    });
    grids_.push_back(std::move(grid));
    return frame;
}

void GridView::addGrid(GridTable table) { column()->addWidget(grid(std::move(table))); }

QWidget* GridView::control(GridColumn column) {
    extras_.push_back(std::move(column));
    return bind(extras_.back(), 0, this, nullptr);
}

void GridView::finish(std::function<QWidget*()> focused) {
    focused_ = std::move(focused);
    const TableButtons buttons = addFoot();
    TabChain chain;
    for (const Bound& b : bound_)
        if (b.column->kind != GridColumn::Kind::Label) chain(b.widget);
    chain(buttons.confirm);
    chain(buttons.cancel);
    refresh();
    focusField();
}

QWidget* GridView::cell(int table, int r, int c) const {
    if (table < 0 || table >= static_cast<int>(grids_.size())) return nullptr;
    const auto& cells = grids_[table]->cells;
    if (r < 0 || r >= static_cast<int>(cells.size()) || c < 0 || c >= static_cast<int>(cells[r].size())) return nullptr;
    return cells[r][c];
}

void GridView::focusField() {
    if (QWidget* w = focused_ ? focused_() : nullptr) w->setFocus(Qt::OtherFocusReason);
}

void GridView::showControl(const Bound& b) {
    const GridColumn& c = *b.column;
    if (!c.spoken.isEmpty()) {
        const std::function<QString(int)>* rowName = c.rowName ? &c.rowName : b.table ? &b.table->rowName : nullptr;
        b.widget->setAccessibleName(rowName && *rowName ? c.spoken + QLatin1Char(' ') + (*rowName)(b.row) : c.spoken);
    }
    if (auto* box = qobject_cast<QLineEdit*>(b.widget)) {
        showBoxText(box, c.text(b.row));
    } else if (auto* list = qobject_cast<QComboBox*>(b.widget)) {
        const int index = c.value(b.row);
        if (list->currentIndex() != index) list->setCurrentIndex(index);
    } else if (auto* check = qobject_cast<QCheckBox*>(b.widget)) {
        showChecked(check, c.value(b.row) != 0);
    } else if (auto* label = qobject_cast<QLabel*>(b.widget); label && c.text) {
        label->setText(toQt(c.text(b.row)));
    }
}

void GridView::refresh() {
    setWindowTitle(toQt(form_.title()));
    for (const auto& grid : grids_) grid->widget->showPage(grid->table.first(), grid->table.lastFirst());
    for (const Bound& b : bound_) showControl(b);
}

// The form hears of the controls taking and losing the focus: it knows where Enter or a choice
// from a list goes, and tidies a box the user leaves.
bool GridView::eventFilter(QObject* watched, QEvent* event) {
    const bool in = event->type() == QEvent::FocusIn;
    if ((in || event->type() == QEvent::FocusOut) && !form_.closed()) {
        const QVariant index = watched->property(boundProperty);
        if (index.isValid() && index.toInt() < static_cast<int>(bound_.size())) {
            const Bound& b = bound_[index.toInt()];
            const auto& call = in ? b.column->focusIn : b.column->focusOut;
            if (call) {
                call(b.row);
                refresh();
            }
        }
    }
    return TableDialog::eventFilter(watched, event);
}

}  // namespace kalvora::ui
