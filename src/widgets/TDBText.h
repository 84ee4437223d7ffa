#pragma once

#include <QLabel>

class TDataSource;
class TFieldDataLink;

// A label that shows a field of its data source's current record.
class TDBText : public QLabel
{
    Q_OBJECT

public:
    explicit TDBText(QWidget *parent = nullptr);

    TDataSource *DataSource() const;
    void SetDataSource(TDataSource *source);
    QString DataField() const;
    void SetDataField(const QString &name);

private:
    void LoadFromField();

    TFieldDataLink *m_link;
};
