#pragma once

#include <QWidget>

class TEncyklopediaFrm : public QWidget
{
    Q_OBJECT

public:
    explicit TEncyklopediaFrm(QWidget *parent = nullptr);
};
