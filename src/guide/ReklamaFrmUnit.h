#pragma once

#include <QDialog>

class TClickArea;
class TImage;

// The links window: a picture of four banners of angling sites, each opening its site in
// the user's web browser.
class TReklamaFrm : public QDialog
{
    Q_OBJECT

public:
    explicit TReklamaFrm(QWidget *parent = nullptr);

    TImage *Image1 = nullptr;
    TClickArea *Image2 = nullptr;
    TClickArea *Image3 = nullptr;
    TClickArea *Image4 = nullptr;
    TClickArea *Image5 = nullptr;

public Q_SLOTS:
    void Image2Click();
    void Image3Click();
    void Image4Click();
    void Image5Click();
};
