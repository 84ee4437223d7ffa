#pragma once

#include <QProxyStyle>

// Gives a popup menu's separators room and a visible line. Some styles draw a separator
// two pixels high in a colour close to the menu's, which at the top of a menu cannot be
// told from its border.
class TMenuStyle : public QProxyStyle
{
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override;
};
