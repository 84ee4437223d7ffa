#include "guide/AboutFrmUnit.h"

#include <QLabel>

TAboutFrm::TAboutFrm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutFrm"));
    setWindowTitle(QStringLiteral("O programie:"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(308, 154);
    auto *caption = new QLabel(windowTitle(), this);
    caption->setGeometry(rect());
    caption->setAlignment(Qt::AlignCenter);
}
