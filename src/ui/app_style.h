#pragma once
// The program's widget style: the desktop's own, with the few standard pictures the main window
// needs at start-up drawn here. Qt's stock ones are image files, and reading the first image
// file loads every image-format plugin installed.
#include <QProxyStyle>

namespace kalvora::ui {

class AppStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;
    QIcon standardIcon(StandardPixmap picture, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace kalvora::ui
