#include "quiz/TestyPrzepisyFrmUnit.h"

TTestyPrzepisyFrm::TTestyPrzepisyFrm(QWidget *parent)
    : TPlaceholderView(QStringLiteral("TestyPrzepisyFrm"),
                       QStringLiteral("Test - przepisy dot. sprzętu, wędkarza i metod połowu"), parent)
{
}

void TTestyPrzepisyFrm::FormShow()
{
    NewTest();
}

void TTestyPrzepisyFrm::NewTest()
{
    Q_EMIT testStarted();
}
