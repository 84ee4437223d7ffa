#pragma once

#include "widgets/TPlaceholderView.h"

class TTestyPrzepisyFrm : public TPlaceholderView
{
    Q_OBJECT

public:
    explicit TTestyPrzepisyFrm(QWidget *parent = nullptr);

    // Starts a fresh test.
    void NewTest();

    void FormShow() override;

Q_SIGNALS:
    void testStarted();
};
