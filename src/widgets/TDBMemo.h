#pragma once

#include <QPlainTextEdit>

class TDataSource;
class TFieldDataLink;

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// A multi-line text bound to a field of its data source's current record.
class TDBMemo : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit TDBMemo(QWidget *parent = nullptr);

    TDataSource *DataSource() const;
    void SetDataSource(TDataSource *source);
    QString DataField() const;
    // May change while the memo is shown; text typed for the old field is written first.
    void SetDataField(const QString &name);
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly);
    TScrollStyle ScrollBars() const { return m_scrollBars; }
    void SetScrollBars(TScrollStyle scrollBars);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool wordWrap);

    bool UpdateRecord();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void LoadFromField();
    void OnTextChanged();
    void WriteToField();

    TFieldDataLink *m_link;
    bool m_readOnly = false;
    bool m_loading = false;
    bool m_wordWrap = true;
    TScrollStyle m_scrollBars = TScrollStyle::ssNone;
};
