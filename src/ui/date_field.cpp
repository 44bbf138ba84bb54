#include "ui/date_field.h"

#include "ui/qt_text.h"

#include <QCalendarWidget>
#include <QSignalBlocker>

namespace kalvora::ui {

DateField::DateField(QWidget* parent) : QDateEdit(parent) { setCalendarPopup(true); }

// The calendar drops down from a click on the box or from a key (F4, Alt+Down); either way the
// press reaches the box first.
void DateField::mousePressEvent(QMouseEvent* event) {
    prepareCalendar();
    QDateEdit::mousePressEvent(event);
}

void DateField::keyPressEvent(QKeyEvent* event) {
    prepareCalendar();
    QDateEdit::keyPressEvent(event);
}

void DateField::prepareCalendar() {
    if (calendar_) return;
    calendar_ = calendarWidget();
    if (calendarReady) calendarReady(calendar_);
}

DateField* dateBox(QWidget* parent, const QString& name, const QString& spoken,
                   std::function<void(std::string)> changed) {
    auto* box = new DateField(parent);
    box->setObjectName(name);
    box->setAccessibleName(spoken);
    box->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    auto commit = [box, changed = std::move(changed)] { changed(fromQt(box->date().toString(QStringLiteral("dd/MM/yyyy")))); };
    QObject::connect(box, &QDateEdit::dateChanged, box, commit);
    return box;
}

void showDate(DateField* box, const std::string& text) {
    const QDate date = QDate::fromString(toQt(text), QStringLiteral("dd/MM/yyyy"));
    if (date.isValid() && date != box->date()) {
        const QSignalBlocker quiet(box);
        box->setDate(date);
    }
}

}  // namespace kalvora::ui
