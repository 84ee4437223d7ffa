#include "guide/ReklamaFrmUnit.h"

#include "base/ProgramPaths.h"
#include "guide/TClickArea.h"
#include "guide/WebAddresses.h"
#include "widgets/Platform.h"
#include "widgets/TImage.h"

#include <QScreen>

TReklamaFrm::TReklamaFrm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ReklamaFrm"));
    setWindowTitle(QStringLiteral("Wędkarstwo w Internecie:"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(484, 294);

    Image1 = new TImage(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(-1, 0, 486, 295);
    try {
        Image1->LoadFromFile(SuppliedDataRoot() + QStringLiteral("data/grafika/linki.jpg"));
    } catch (...) {
        // Without its picture the window still opens the four sites.
    }

    Image2 = new TClickArea("Image2", QRect(7, 69, 189, 78), this);
    Image3 = new TClickArea("Image3", QRect(226, 68, 250, 77), this);
    Image4 = new TClickArea("Image4", QRect(7, 153, 335, 70), this);
    Image5 = new TClickArea("Image5", QRect(347, 151, 127, 105), this);
    connect(Image2, &TClickArea::clicked, this, &TReklamaFrm::Image2Click);
    connect(Image3, &TClickArea::clicked, this, &TReklamaFrm::Image3Click);
    connect(Image4, &TClickArea::clicked, this, &TReklamaFrm::Image4Click);
    connect(Image5, &TClickArea::clicked, this, &TReklamaFrm::Image5Click);

    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
}

void TReklamaFrm::Image2Click()
{
    Platform::ShellOpen(QLatin1String(WebAddresses::Links[0]));
}

void TReklamaFrm::Image3Click()
{
    Platform::ShellOpen(QLatin1String(WebAddresses::Links[1]));
}

void TReklamaFrm::Image4Click()
{
    Platform::ShellOpen(QLatin1String(WebAddresses::Links[2]));
}

void TReklamaFrm::Image5Click()
{
    Platform::ShellOpen(QLatin1String(WebAddresses::Links[3]));
}
