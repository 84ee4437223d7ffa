#include "widgets/StrayAltKeys.h"

#include <QAbstractSpinBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

bool IsStrayAltKey(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    return modifiers.testFlag(Qt::AltModifier) && !modifiers.testFlag(Qt::ControlModifier) &&
           !event.text().isEmpty() && event.text().front().isPrint();
}

bool StrayAltKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && IsStrayAltKey(*static_cast<QKeyEvent *>(event)) &&
        (qobject_cast<QLineEdit *>(watched) || qobject_cast<QAbstractSpinBox *>(watched) ||
         qobject_cast<QTextEdit *>(watched) || qobject_cast<QPlainTextEdit *>(watched)))
        return true;
    return QObject::eventFilter(watched, event);
}
