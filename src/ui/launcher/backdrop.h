#pragma once
// The working area of the main window behind everything below the toolbar: the background
// picture scaled to cover it, or the background colour, or the desktop through a transparent
// window.
#include "core/files.h"
#include "launcher/background.h"

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace kalvora::ui {

// A stored colour number, red in the low byte, blue in the high one.
QColor colourFromNumber(long number);
// True when a compositing manager runs on the X11 display, so a window can be see-through.
bool compositorRunning();

class Backdrop : public QWidget {
public:
    enum class Look { Colour, Picture, Transparent };

    explicit Backdrop(QWidget* parent);

    // Shows the stored background: a delivered picture missing from the installation is drawn
    // first; a picture that cannot be loaded gives the colour. Nothing happens when it is the
    // one shown already.
    void setBackground(core::Files& files, const core::Installation& installation,
                       const launcher::Background& background);
    Look look() const { return look_; }
    QColor colour() const { return colour_; }  // painted when there is no picture

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void show(core::Files& files, const launcher::BackgroundDisplay& display);
    void setTranslucent(bool on);

    launcher::Background shown_;
    bool anything_ = false;  // false until the first setBackground
    Look look_ = Look::Colour;
    QColor colour_;
    QImage picture_;
    QPixmap scaled_;  // the picture at the size last painted
};

}  // namespace kalvora::ui
