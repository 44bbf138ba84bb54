#include "ui/date_field.h"

#include <QCalendarWidget>

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

}  // namespace kalvora::ui
