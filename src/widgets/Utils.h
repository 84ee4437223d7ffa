#pragma once

#include "base/DateUtils.h"

#include <QFont>
#include <QString>
#include <QStringList>

class QLabel;
class QLineEdit;
class QMenu;
class QWidget;
class TListView;

// Docks a view into a panel: on its first docking the view becomes a borderless child of
// the panel; every time it fills the panel and is shown in front. Views docked earlier
// stay alive and unchanged beneath it, so a view's show handler runs at its first docking
// only. A missing view (one whose creation failed) is ignored.
void DockView(QWidget *view, QWidget *panel);

// Fills a view or panel with the views' light grey (R = G = B = 230, stored as 15132390).
void SetViewBackground(QWidget *widget);

// Opens a popup menu with its top-left corner at the mouse pointer.
void PopupAtCursor(QMenu *menu);

// Appends a row: the caption in the first column, texts in the next ones, in order.
void AddListRow(const QString &caption, const QStringList &texts, int imageIndex, TListView *listView);

// Sets the keyboard focus chain to visit the widgets in the order given.
void SetTabChain(const QList<QWidget *> &widgets);

// The program's face: a sans-serif at the given size, as "MS Sans Serif" was.
QFont ProgramFont(int points, bool bold = false);

// A label sized to its text with its top-left corner at (x, y).
QLabel *MakeLabel(QWidget *parent, const char *name, const QString &text, int x, int y);

// A line edit for a layout, showing the hint while it is empty.
QLineEdit *MakeLineEdit(QWidget *parent, const char *name, const QString &hint);
