#pragma once

#include <QWidget>

// A docked view whose content is still to come: it shows its caption on the views'
// background, and runs FormShow on its first docking like the finished views, so the
// main window can already dock it and start it.
class TPlaceholderView : public QWidget
{
    Q_OBJECT

public:
    TPlaceholderView(const QString &objectName, const QString &caption, QWidget *parent);

public Q_SLOTS:
    // Runs when the view first becomes visible, at its first docking.
    virtual void FormShow() {}

protected:
    void showEvent(QShowEvent *event) override;
};
