#include "encyclopedia/EncyklopediaFrmUnit.h"

TEncyklopediaFrm::TEncyklopediaFrm(QWidget *parent)
    : TPlaceholderView(QStringLiteral("EncyklopediaFrm"), QStringLiteral("Encyklopedia ryb:"), parent)
{
}
