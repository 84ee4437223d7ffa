#include "guide/OpisFrmUnit.h"

#include "base/ProgramPaths.h"
#include "guide/EBrowserModuleError.h"
#include "guide/TWebBrowser.h"
#include "widgets/Artwork.h"
#include "widgets/Platform.h"

#include <QFrame>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <algorithm>

namespace {
const int BarHeight = 41;
const int ClosePanelWidth = 101;
} // namespace

TOpisFrm::TOpisFrm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("OpisFrm"));
    setWindowTitle(QStringLiteral("Opis:"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    // The client area of an 824 x 604 frame with the usual borders and title bar.
    resize(816, 570);
    setMinimumSize(320, 200);

    Panel3 = new QWidget(this);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    SpeedButton1 = MakeSpeedButton("SpeedButton1", QStringLiteral("&Wstecz"), QStringLiteral("wstecz.png"), 2);
    SpeedButton2 = MakeSpeedButton("SpeedButton2", QStringLiteral("&Dalej"), QStringLiteral("dalej.png"), 90);
    Bevel1 = new QFrame(Panel3);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::VLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(178, 3, 2, 34);

    Browser = new TWebBrowser(this);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    // Alt+D belongs to "&Dalej".
    Button1 = MakeButton(Panel1, "Button1", QStringLiteral("D&rukuj"), QRect(4, 8, 75, 25));
    Button3 = MakeButton(Panel1, "Button3", QStringLiteral("&Kopiuj zaznaczone"), QRect(81, 8, 115, 25));
    Panel2 = new QWidget(Panel1);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Button2 = MakeButton(Panel2, "Button2", QStringLiteral("&Zamknij"), QRect(19, 7, 75, 25));

    connect(SpeedButton1, &QToolButton::clicked, this, &TOpisFrm::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TOpisFrm::SpeedButton2Click);
    connect(Button1, &QPushButton::clicked, this, &TOpisFrm::Button1Click);
    connect(Button3, &QPushButton::clicked, this, &TOpisFrm::Button3Click);
    connect(Button2, &QPushButton::clicked, this, &TOpisFrm::Button2Click);
}

void TOpisFrm::ShowDocument(const QString &path)
{
    try {
        m_document = path;
        Browser->Navigate(path);
        Platform::ShowModal(this);
    } catch (const EBrowserModuleError &) {
        ShowCurrentException();
    } catch (...) {
        // A document that cannot be opened leaves the viewer closed, without a message.
    }
}

void TOpisFrm::SpeedButton1Click()
{
    try {
        Browser->GoBack();
    } catch (...) {
        // At the start of the history the button does nothing.
    }
}

void TOpisFrm::SpeedButton2Click()
{
    try {
        Browser->GoForward();
    } catch (...) {
        // At the end of the history the button does nothing.
    }
}

void TOpisFrm::Button1Click()
{
    Browser->Print();
}

void TOpisFrm::Button3Click()
{
    Browser->CopySelection();
}

void TOpisFrm::Button2Click()
{
    close();
}

void TOpisFrm::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    const int w = width();
    const int h = height();
    Panel3->setGeometry(0, 0, w, BarHeight);
    Browser->setGeometry(0, BarHeight, w, std::max(0, h - 2 * BarHeight));
    Panel1->setGeometry(0, h - BarHeight, w, BarHeight);
    Panel2->setGeometry(w - ClosePanelWidth, 0, ClosePanelWidth, BarHeight);
}

void TOpisFrm::showEvent(QShowEvent *event)
{
    // Centred on the screen the first time only: a moved viewer stays where it was put.
    if (!m_placed) {
        m_placed = true;
        if (const QScreen *s = screen())
            move(s->availableGeometry().center() - rect().center());
    }
    QDialog::showEvent(event);
}

QToolButton *TOpisFrm::MakeSpeedButton(const char *name, const QString &text, const QString &picture, int left)
{
    auto *button = new QToolButton(Panel3);
    button->setObjectName(QLatin1String(name));
    button->setText(text);
    button->setIcon(ArtworkIcon(SuppliedDataRoot() + QStringLiteral("data/grafika/") + picture));
    button->setIconSize(QSize(22, 22));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setGeometry(left, 3, 87, 34);
    return button;
}

QPushButton *TOpisFrm::MakeButton(QWidget *parent, const char *name, const QString &text, const QRect &bounds)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(bounds);
    button->setCursor(Qt::PointingHandCursor);
    button->setAutoDefault(false);
    return button;
}
