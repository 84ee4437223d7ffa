#include "widgets/Utils.h"

#include "widgets/Platform.h"
#include "widgets/TListView.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPalette>
#include <QTreeWidgetItem>
#include <QWidget>

void DockView(QWidget *view, QWidget *panel)
{
    if (!view || !panel)
        return;
    if (view->parentWidget() != panel)
        view->setParent(panel, Qt::Widget);
    view->setGeometry(0, 0, panel->width(), panel->height());
    // Covered views stay visible (so showing them again is no new show), but disabled:
    // that keeps their controls out of Tab navigation while they lie beneath.
    const auto docked = panel->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *other : docked) {
        if (other != view && !other->isWindow())
            other->setEnabled(false);
    }
    view->setEnabled(true);
    view->show();
    view->raise();
}

void SetViewBackground(QWidget *widget)
{
    widget->setAutoFillBackground(true);
    QPalette background = widget->palette();
    background.setColor(QPalette::Window, QColor(230, 230, 230));
    widget->setPalette(background);
}

void PopupAtCursor(QMenu *menu)
{
    Platform::PopupMenu(menu, Platform::CursorPos());
}

void AddListRow(const QString &caption, const QStringList &texts, int imageIndex, TListView *listView)
{
    auto *row = new QTreeWidgetItem(listView);
    row->setText(0, caption);
    for (int i = 0; i < texts.size(); ++i)
        row->setText(i + 1, texts.at(i));
    TListView::SetImageIndex(row, imageIndex);
}

void SetTabChain(const QList<QWidget *> &widgets)
{
    for (qsizetype i = 1; i < widgets.size(); ++i)
        QWidget::setTabOrder(widgets.at(i - 1), widgets.at(i));
}

QFont ProgramFont(int points, bool bold)
{
    QFont font(QStringLiteral("Sans Serif"), points, bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QLabel *MakeLabel(QWidget *parent, const char *name, const QString &text, int x, int y)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->move(x, y);
    label->adjustSize();
    return label;
}

QLineEdit *MakeLineEdit(QWidget *parent, const char *name, const QString &hint)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setPlaceholderText(hint);
    return edit;
}
