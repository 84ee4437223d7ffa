#include "widgets/TMenuStyle.h"

#include <QPainter>
#include <QStyleOptionMenuItem>

namespace {
constexpr int SeparatorHeight = 9;

bool IsPlainSeparator(const QStyleOption *option)
{
    const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
    return item && item->menuItemType == QStyleOptionMenuItem::Separator && item->text.isEmpty();
}
} // namespace

QSize TMenuStyle::sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                                   const QWidget *widget) const
{
    QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type == CT_MenuItem && IsPlainSeparator(option))
        result.setHeight(SeparatorHeight);
    return result;
}

void TMenuStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                             const QWidget *widget) const
{
    if (element != CE_MenuItem || !IsPlainSeparator(option)) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const QRect r = option->rect;
    const int y = r.center().y();
    painter->save();
    painter->setPen(option->palette.color(QPalette::Mid));
    painter->drawLine(r.left() + 4, y, r.right() - 4, y);
    painter->restore();
}
