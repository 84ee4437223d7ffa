#pragma once

#include "widgets/FieldBoundControl.h"

#include <QCheckBox>

// A tick box on a number field of its data source's current record: ticked for any
// value but 0; the user's tick writes 1, clearing it 0.
class TDBCheckBox : public QCheckBox, public FieldBoundControl
{
    Q_OBJECT

public:
    explicit TDBCheckBox(const QString &caption, QWidget *parent = nullptr);

private:
    void ShowField();
    void WriteTick(bool ticked);
};
