#include "encyclopedia/EncyklopediaFrmUnit.h"

#include <QLabel>

TEncyklopediaFrm::TEncyklopediaFrm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("EncyklopediaFrm"));
    setWindowTitle(QStringLiteral("Encyklopedia ryb:"));
    resize(767, 426);
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(230, 230, 230));
    setPalette(background);
    auto *caption = new QLabel(windowTitle(), this);
    caption->setObjectName(QStringLiteral("Caption"));
    caption->move(16, 12);
    caption->adjustSize();
}
