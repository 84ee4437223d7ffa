#pragma once

#include "widgets/TPlaceholderView.h"

class TTestyRybyFrm : public TPlaceholderView
{
    Q_OBJECT

public:
    explicit TTestyRybyFrm(QWidget *parent = nullptr);

    // Starts a fresh test.
    void NewTest();

    void FormShow() override;

Q_SIGNALS:
    void testStarted();
};
