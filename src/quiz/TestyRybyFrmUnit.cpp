#include "quiz/TestyRybyFrmUnit.h"

TTestyRybyFrm::TTestyRybyFrm(QWidget *parent)
    : TPlaceholderView(QStringLiteral("TestyRybyFrm"), QStringLiteral("Test - przepisy dot. ryb"), parent)
{
}

void TTestyRybyFrm::FormShow()
{
    NewTest();
}

void TTestyRybyFrm::NewTest()
{
    Q_EMIT testStarted();
}
