#pragma once

#include <QWidget>

class TTestyRybyFrm : public QWidget
{
    Q_OBJECT

public:
    explicit TTestyRybyFrm(QWidget *parent = nullptr);

    // Starts a fresh test.
    void NewTest();

Q_SIGNALS:
    void testStarted();

public Q_SLOTS:
    // Runs when the view first becomes visible, at its first docking.
    void FormShow();

protected:
    void showEvent(QShowEvent *event) override;
};
