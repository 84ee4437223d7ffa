#pragma once

#include "base/DateUtils.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QToolButton;
class TDbConnection;
class TDbQuery;
class TLinkLabel;
class TListView;

// The bottom strip of the calendar: one tip at a time of the chosen category, with a
// link that steps to the next; the month buttons; the species under protection in a
// month. The view says which month and wires the buttons.
class MonthStrip : public QWidget
{
    Q_OBJECT

public:
    MonthStrip(TDbConnection *connection, QWidget *parent);

    QLabel *Label11 = nullptr;
    QLabel *Label64 = nullptr;
    QToolButton *SpeedButton2 = nullptr;
    QToolButton *SpeedButton1 = nullptr;
    QComboBox *ComboBox2 = nullptr;
    TLinkLabel *Label6 = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    TListView *ListView1 = nullptr;
    TDbQuery *TipsQuery = nullptr;
    TDbQuery *TipsQuery2 = nullptr;
    qint32 TipIndex = 0;

    // The protected species of the month from start to end, and the tips of the chosen
    // category; without a database both are emptied.
    void ShowMonth(TDateTime start, TDateTime end, bool hasData);
    void ShowTerminyOchronne(TDateTime start, TDateTime end);
    void GetPorady(int category);
    void Label6Click();

private:
    void ShowTip();
};
