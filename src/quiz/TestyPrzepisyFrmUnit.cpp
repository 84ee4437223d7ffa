#include "quiz/TestyPrzepisyFrmUnit.h"

#include "app/Utils.h"

#include <QLabel>
#include <QShowEvent>

TTestyPrzepisyFrm::TTestyPrzepisyFrm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TestyPrzepisyFrm"));
    setWindowTitle(QStringLiteral("Test - przepisy dot. sprzętu, wędkarza i metod połowu"));
    resize(767, 426);
    SetViewBackground(this);
    auto *caption = new QLabel(windowTitle(), this);
    caption->setObjectName(QStringLiteral("Caption"));
    caption->move(16, 12);
    caption->adjustSize();
}

void TTestyPrzepisyFrm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TTestyPrzepisyFrm::FormShow()
{
    NewTest();
}

void TTestyPrzepisyFrm::NewTest()
{
    Q_EMIT testStarted();
}
