#pragma once

#include <QWidget>

class QFrame;
class QLabel;
class TDataSource;
class TDBCtrlGrid;
class TDBMemo;
class TDBText;
class TDbBaseQuery;
class TDbTable;
class TImage;

// "Encyklopedia ryb:": the species of ryby in a grid of panels, the current one's
// details beside it and its picture below. The view only reads the table.
class TEncyklopediaFrm : public QWidget
{
    Q_OBJECT

public:
    explicit TEncyklopediaFrm(QWidget *parent = nullptr);
    ~TEncyklopediaFrm() override;

    QLabel *Label1 = nullptr;
    TDBCtrlGrid *DBCtrlGrid1 = nullptr;
    TDBText *DBText1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label11 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label12 = nullptr;
    QLabel *Label4 = nullptr;
    TDBText *DBText2 = nullptr;
    QLabel *Label9 = nullptr;
    QLabel *Label5 = nullptr;
    TDBMemo *DBMemo1 = nullptr;
    QLabel *Label6 = nullptr;
    TDBMemo *DBMemo2 = nullptr;
    QLabel *Label7 = nullptr;
    TDBText *DBText3 = nullptr;
    QLabel *Label10 = nullptr;
    QLabel *Label8 = nullptr;
    TDBMemo *DBMemo3 = nullptr;
    QFrame *Shape1 = nullptr;
    TImage *Image1 = nullptr;

    TDbTable *rybyTable = nullptr;
    TDataSource *DataSource1 = nullptr;

    void FormCreate();
    void rybyTableAfterScroll(TDbBaseQuery *DataSet);
    void DBCtrlGrid1KeyDown(QObject *Sender, int &Key, Qt::KeyboardModifiers Shift);

private:
    void CreateDataSets();
    void CreateControls();
    void CreateDetails();
};
