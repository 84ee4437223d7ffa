#pragma once

#include "widgets/TPlaceholderView.h"

class TEncyklopediaFrm : public TPlaceholderView
{
    Q_OBJECT

public:
    explicit TEncyklopediaFrm(QWidget *parent = nullptr);
};
