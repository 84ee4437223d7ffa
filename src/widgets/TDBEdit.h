#pragma once

#include <QLineEdit>

class TDataSource;
class TFieldDataLink;

// A one-line edit bound to a field of its data source's current record.
class TDBEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit TDBEdit(QWidget *parent = nullptr);

    TDataSource *DataSource() const;
    void SetDataSource(TDataSource *source);
    QString DataField() const;
    // May change while the edit is shown; text typed for the old field is written first.
    void SetDataField(const QString &name);
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly);

    // Writes typed text into the field now; false (after showing the error) when the
    // text does not convert.
    bool UpdateRecord();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void LoadFromField();
    void OnTextEdited(const QString &text);
    void WriteToField();

    TFieldDataLink *m_link;
    bool m_readOnly = false;
    bool m_loading = false;
};
