#pragma once

#include "widgets/EditableFieldControl.h"

#include <QPlainTextEdit>

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// A multi-line text bound to a field of its data source's current record.
class TDBMemo : public QPlainTextEdit, public EditableFieldControl
{
    Q_OBJECT

public:
    explicit TDBMemo(QWidget *parent = nullptr);

    TScrollStyle ScrollBars() const { return m_scrollBars; }
    void SetScrollBars(TScrollStyle scrollBars);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool wordWrap);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void LoadFromField();
    void OnTextChanged();

    bool m_loading = false;
    bool m_wordWrap = true;
    TScrollStyle m_scrollBars = TScrollStyle::ssNone;
};
