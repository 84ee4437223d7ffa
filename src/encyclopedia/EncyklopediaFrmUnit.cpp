#include "encyclopedia/EncyklopediaFrmUnit.h"

#include "app/Utils.h"

#include <QLabel>

TEncyklopediaFrm::TEncyklopediaFrm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("EncyklopediaFrm"));
    setWindowTitle(QStringLiteral("Encyklopedia ryb:"));
    resize(767, 426);
    SetViewBackground(this);
    auto *caption = new QLabel(windowTitle(), this);
    caption->setObjectName(QStringLiteral("Caption"));
    caption->move(16, 12);
    caption->adjustSize();
}
