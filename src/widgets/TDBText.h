#pragma once

#include "widgets/FieldBoundControl.h"

#include <QLabel>

// A label that shows a field of its data source's current record.
class TDBText : public QLabel, public FieldBoundControl
{
    Q_OBJECT

public:
    explicit TDBText(QWidget *parent = nullptr);
};
