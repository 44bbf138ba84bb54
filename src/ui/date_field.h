#pragma once
// A date box with a drop-down calendar that is built only when the user first reaches for the
// box: the calendar's navigation pictures come from the icon theme, whose lookup would
// otherwise be paid by every start of the program.
#include <QDateEdit>

#include <functional>
#include <string>

class QCalendarWidget;

namespace kalvora::ui {

class DateField : public QDateEdit {
    Q_OBJECT
public:
    explicit DateField(QWidget* parent = nullptr);
    // Called once, with the calendar, before it can first be shown.
    std::function<void(QCalendarWidget*)> calendarReady;
    // The calendar if it has been built, else null (asking QDateEdit would build it).
    QCalendarWidget* builtCalendar() const { return calendar_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void prepareCalendar();
    QCalendarWidget* calendar_ = nullptr;
};

// A date box named `name` showing dd/mm/yyyy, spoken as `spoken`, that hands every date the
// user settles on (typed or picked in the calendar) to `changed` as "dd/mm/yyyy".
DateField* dateBox(QWidget* parent, const QString& name, const QString& spoken,
                   std::function<void(std::string)> changed);
// Shows a "dd/mm/yyyy" text in the box; a text that is no date leaves the box as it is.
void showDate(DateField* box, const std::string& text);

}  // namespace kalvora::ui
