#pragma once

#include "widgets/FieldBoundControl.h"

#include <QLabel>
#include <functional>

// A label that shows a field of its data source's current record.
class TDBText : public QLabel, public FieldBoundControl
{
    Q_OBJECT

public:
    explicit TDBText(QWidget *parent = nullptr);

    // Shows what this makes of the field's text instead of the text itself: a word for a
    // value the table marks as unknown, say. Called each time the field is shown afresh.
    void SetShownText(std::function<QString(const QString &fieldText)> shown);

private:
    void ShowField();

    std::function<QString(const QString &)> m_shown;
};
