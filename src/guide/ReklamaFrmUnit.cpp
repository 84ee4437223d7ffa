#include "guide/ReklamaFrmUnit.h"

#include <QLabel>

TReklamaFrm::TReklamaFrm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ReklamaFrm"));
    setWindowTitle(QStringLiteral("Wędkarstwo w Internecie:"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(484, 294);
    auto *caption = new QLabel(windowTitle(), this);
    caption->setGeometry(rect());
    caption->setAlignment(Qt::AlignCenter);
}
