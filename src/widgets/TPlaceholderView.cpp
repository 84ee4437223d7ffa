#include "widgets/TPlaceholderView.h"

#include "widgets/Utils.h"

#include <QLabel>
#include <QShowEvent>

TPlaceholderView::TPlaceholderView(const QString &objectName, const QString &caption, QWidget *parent) : QWidget(parent)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    resize(767, 426);
    SetViewBackground(this);
    auto *label = new QLabel(caption, this);
    label->setObjectName(QStringLiteral("Caption"));
    label->move(16, 12);
    label->adjustSize();
}

void TPlaceholderView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Only the program's own show, not the window system's (restoring a minimised window).
    if (!event->spontaneous())
        FormShow();
}
