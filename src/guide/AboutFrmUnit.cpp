#include "guide/AboutFrmUnit.h"

#include "base/ProgramPaths.h"
#include "guide/TClickArea.h"
#include "guide/WebAddresses.h"
#include "widgets/Platform.h"
#include "widgets/TImage.h"

#include <QLabel>
#include <QScreen>

TAboutFrm::TAboutFrm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutFrm"));
    setWindowTitle(QStringLiteral("O programie:"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(308, 154);

    Image1 = new TImage(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 308, 154);
    try {
        Image1->LoadFromFile(SuppliedDataRoot() + QStringLiteral("data/grafika/oprogramie.jpg"));
    } catch (...) {
        // Without its picture the window still shows the credits and opens both sites.
    }

    Label1 = MakeLabel("Label1", QStringLiteral("Redakcja Rybowida"), QPoint(5, 67), true);
    Label2 = MakeLabel("Label2", QStringLiteral("Koordynacja i merytoryka"), QPoint(6, 82), false);
    Label4 = MakeLabel("Label4", QStringLiteral("Zespół Rybowida"), QPoint(7, 101), true);
    Label3 = MakeLabel("Label3", QStringLiteral("Grafika i programowanie"), QPoint(7, 116), false);
    VersionLabel = MakeLabel("VersionLabel", QStringLiteral("wersja " RYBOWID_VERSION), QPoint(0, 0), false);
    // Light on the title band, against its right edge, whatever width the text takes.
    VersionLabel->setStyleSheet(QStringLiteral("color: #dce6f2"));
    VersionLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    VersionLabel->setGeometry(QRect(200, 40, 102, 14));

    Image2 = new TClickArea("Image2", QRect(125, 74, 102, 53), this);
    Image3 = new TClickArea("Image3", QRect(235, 75, 67, 53), this);
    connect(Image2, &TClickArea::clicked, this, &TAboutFrm::Image2Click);
    connect(Image3, &TClickArea::clicked, this, &TAboutFrm::Image3Click);

    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
}

void TAboutFrm::Image2Click()
{
    Platform::ShellOpen(QLatin1String(WebAddresses::About[0]));
}

void TAboutFrm::Image3Click()
{
    Platform::ShellOpen(QLatin1String(WebAddresses::About[1]));
}

QLabel *TAboutFrm::MakeLabel(const char *name, const QString &text, const QPoint &at, bool bold)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QLatin1String(name));
    label->setAttribute(Qt::WA_TranslucentBackground);
    // The credits share the lower left part with the logos: a narrow face keeps them clear.
    QFont font = label->font();
    font.setStretch(QFont::Condensed);
    font.setPixelSize(10);
    font.setBold(bold);
    label->setFont(font);
    label->move(at);
    return label;
}

void TAboutFrm::showEvent(QShowEvent *event)
{
    // Measuring the credits loads their condensed faces: left to the first showing, since
    // the window is created hidden at start-up.
    for (QLabel *label : {Label1, Label2, Label4, Label3})
        label->adjustSize();
    QDialog::showEvent(event);
}
