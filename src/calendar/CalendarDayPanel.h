#pragma once

#include <QFrame>

class QCheckBox;
class QLabel;
class QPushButton;
class TDataSource;
class TDBGrid;
class TDBNavigator;
class TImage;
class TLinkLabel;
class TSkyPanel;

// The framed panel of the selected day at the calendar's right: the day's name and sky,
// the "Złowione ryby" box, the links to the catch log and the permit, and the diary grid
// with its navigator and buttons on the diary's data link. The calendar view wires the
// diary's controls to its handlers; the two links open their windows themselves.
class CalendarDayPanel : public QFrame
{
    Q_OBJECT

public:
    CalendarDayPanel(TDataSource *diary, QWidget *parent);

    // The grid, the navigator and the two buttons work only on a day with a diary.
    void SetDiaryControlsEnabled(bool on);
    // The panel's controls in the order Tab visits them.
    QList<QWidget *> TabStops() const;

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    TImage *Image1 = nullptr;
    TSkyPanel *SkyPanel = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    TLinkLabel *CatchLogLink = nullptr;
    TLinkLabel *PermitLink = nullptr;
    TDBGrid *DBGrid1 = nullptr;
    TDBNavigator *DBNavigator1 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;
};
