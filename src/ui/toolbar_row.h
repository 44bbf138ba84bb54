#pragma once
// The main window's toolbar bottoni1: a row of picture buttons bottoni1_N (N = the button's
// number in kalvora.btt), as many as the row's width holds, laid out again on every resize. The
// label `label` shows the tooltip of the button under the mouse right below it.
#include "launcher/toolbar.h"

#include <QWidget>

#include <array>
#include <string>

class QLabel;
class QToolButton;

namespace kalvora::core {
class Files;
}

namespace kalvora::ui {

class ToolbarRow : public QWidget {
    Q_OBJECT
public:
    static constexpr int iconSide = 32;
    static constexpr int buttonSide = 44;
    static constexpr int gap = 4;
    static constexpr int step = buttonSide + gap;
    static constexpr int margin = 6;
    // Picture files bigger than this are not pictures a toolbar button can use.
    static constexpr std::size_t pictureLimit = 8u << 20;

    // `labelParent` holds the tooltip label, so that it may reach below the row.
    ToolbarRow(const core::Files& files, QWidget* labelParent, QWidget* parent = nullptr);

    // Shows `toolbar`; the buttons are made again only when its content changed.
    void setToolbar(const launcher::Toolbar& toolbar);
    // The button numbers shown, left to right.
    const std::vector<int>& shownButtons() const { return shown_; }
    QLabel* tooltipLabel() const { return label_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void buttonClicked(int number);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rebuild();
    void layOut();
    void showLabel(int number);
    QIcon pictureOf(int number) const;
    QString nameOf(int number) const;

    const core::Files& files_;
    launcher::Toolbar toolbar_;
    std::string content_;
    std::array<QToolButton*, launcher::Toolbar::buttonCount> buttons_{};
    std::vector<int> shown_;
    QLabel* label_ = nullptr;  // label
    int labelFor_ = 0;
};

}  // namespace kalvora::ui
