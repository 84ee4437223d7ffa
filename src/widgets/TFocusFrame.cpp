#include "widgets/TFocusFrame.h"

#include "widgets/TLinkLabel.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QPainter>
#include <QPointer>

TFocusFrame::TFocusFrame(QWidget *parent) : QFocusFrame(parent)
{
    setObjectName(QStringLiteral("FocusFrame"));
}

void TFocusFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QPen pen(QColor(0, 0, 128), 2);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

QWidget *TFocusFrame::Framed(QWidget *focused)
{
    if (!focused || focused->isWindow() || qobject_cast<TLinkLabel *>(focused) || qobject_cast<QMenu *>(focused))
        return nullptr;
    QWidget *framed = focused;
    for (QWidget *w = focused->parentWidget(); w && !w->isWindow(); w = w->parentWidget()) {
        if (qobject_cast<QAbstractItemView *>(w) || qobject_cast<QAbstractSpinBox *>(w) || qobject_cast<QComboBox *>(w))
            framed = w;
    }
    return framed;
}

void TFocusFrame::FollowFocus()
{
    // The frame lives among the children of the framed control's parent and goes with
    // them; the next focus change makes a new one.
    auto frame = std::make_shared<QPointer<TFocusFrame>>();
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [frame](QWidget *, QWidget *now) {
        QWidget *framed = Framed(now);
        if (!framed) {
            if (*frame)
                (*frame)->setWidget(nullptr);
            return;
        }
        if (!*frame)
            *frame = new TFocusFrame(framed->parentWidget());
        (*frame)->setWidget(framed);
    });
}
