#include "widgets/TLinkLabel.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>

TLinkLabel::TLinkLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
}

void TLinkLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click) {
        m_byKeyboard = false;
        Q_EMIT clicked();
    }
}

void TLinkLabel::Activate()
{
    m_byKeyboard = true;
    Q_EMIT clicked();
}

void TLinkLabel::keyPressEvent(QKeyEvent *event)
{
    const bool asksMenu = (event->key() == Qt::Key_Menu && event->modifiers() == Qt::NoModifier) ||
                          (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
    if (asksMenu && !m_opensMenu && HasMenu()) {
        event->accept();
        Q_EMIT menuRequested(UnderLabel());
        return;
    }
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        Activate();
        return;
    case Qt::Key_Down:
    case Qt::Key_Menu:
        if (m_opensMenu && event->modifiers() == Qt::NoModifier) {
            event->accept();
            Activate();
            return;
        }
        QLabel::keyPressEvent(event);
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

bool TLinkLabel::HasMenu() const
{
    return isSignalConnected(QMetaMethod::fromSignal(&TLinkLabel::menuRequested));
}

void TLinkLabel::contextMenuEvent(QContextMenuEvent *event)
{
    if (!HasMenu()) {
        QLabel::contextMenuEvent(event);
        return;
    }
    event->accept();
    Q_EMIT menuRequested(event->reason() == QContextMenuEvent::Mouse ? event->globalPos() : UnderLabel());
}

void TLinkLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // The style's own frame is a faint line that vanishes on the main window's dark band;
    // the text colour shows on whatever the label stands on.
    QPainter painter(this);
    QPen pen(palette().color(foregroundRole()));
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
