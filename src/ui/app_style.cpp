#include "ui/app_style.h"

#include "ui/icons.h"

namespace kalvora::ui {

QIcon AppStyle::standardIcon(StandardPixmap picture, const QStyleOption* option, const QWidget* widget) const {
    // The menu bar asks for the chevron of its overflow button as soon as it is built.
    switch (picture) {
        case SP_ToolBarHorizontalExtensionButton: return icons::moreItems(Qt::Horizontal);
        case SP_ToolBarVerticalExtensionButton: return icons::moreItems(Qt::Vertical);
        default: return QProxyStyle::standardIcon(picture, option, widget);
    }
}

}  // namespace kalvora::ui
