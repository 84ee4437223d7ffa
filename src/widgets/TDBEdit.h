#pragma once

#include "widgets/EditableFieldControl.h"

#include <QLineEdit>

// A one-line edit bound to a field of its data source's current record.
class TDBEdit : public QLineEdit, public EditableFieldControl
{
    Q_OBJECT

public:
    explicit TDBEdit(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void LoadFromField();
    void OnTextEdited(const QString &text);

    bool m_loading = false;
};
