#pragma once
// What the accounting windows show while they work: the list of the steps taken so far (List1)
// and a bar of the step in progress (ProgressBar1).
#include <QWidget>

#include <string>
#include <vector>

class QListWidget;
class QProgressBar;

namespace kalvora::ui {

class WorkProgress : public QWidget {
    Q_OBJECT
public:
    explicit WorkProgress(QWidget* parent, const QString& spokenBar);
    // Shows the steps and the bar; the list adds only the steps it does not show yet.
    void show(const std::vector<std::string>& steps, int percent);

    QListWidget* list() const { return list_; }
    QProgressBar* bar() const { return bar_; }

private:
    QListWidget* list_;
    QProgressBar* bar_;
};

}  // namespace kalvora::ui
