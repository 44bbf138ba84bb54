#pragma once
// A one-line label that never widens its window: text too long for the space it gets ends in
// "…", and the whole text stays in the tooltip and for screen readers.
#include <QLabel>

namespace kalvora::ui {

class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);
    void setFullText(const QString& text);
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateToolTip();
};

}  // namespace kalvora::ui
