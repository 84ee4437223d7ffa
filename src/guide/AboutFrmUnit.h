#pragma once

#include <QDialog>

class QLabel;
class TClickArea;
class TImage;

// The About window: the program's logo and version, the credits, and two logos that open
// their sites.
class TAboutFrm : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutFrm(QWidget *parent = nullptr);

    TImage *Image1 = nullptr;
    TClickArea *Image2 = nullptr;
    TClickArea *Image3 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    // The version the package carries.
    QLabel *VersionLabel = nullptr;

public Q_SLOTS:
    void Image2Click();
    void Image3Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *MakeLabel(const char *name, const QString &text, const QPoint &at, bool bold);
};
