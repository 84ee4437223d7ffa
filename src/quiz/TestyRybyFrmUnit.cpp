#include "quiz/TestyRybyFrmUnit.h"

#include "app/Utils.h"

#include <QLabel>
#include <QShowEvent>

TTestyRybyFrm::TTestyRybyFrm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TestyRybyFrm"));
    setWindowTitle(QStringLiteral("Test - przepisy dot. ryb"));
    resize(767, 426);
    SetViewBackground(this);
    auto *caption = new QLabel(windowTitle(), this);
    caption->setObjectName(QStringLiteral("Caption"));
    caption->move(16, 12);
    caption->adjustSize();
}

void TTestyRybyFrm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TTestyRybyFrm::FormShow()
{
    NewTest();
}

void TTestyRybyFrm::NewTest()
{
    Q_EMIT testStarted();
}
