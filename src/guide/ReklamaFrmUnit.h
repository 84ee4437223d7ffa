#pragma once

#include <QDialog>

class TReklamaFrm : public QDialog
{
    Q_OBJECT

public:
    explicit TReklamaFrm(QWidget *parent = nullptr);
};
