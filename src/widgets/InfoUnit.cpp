#include "widgets/InfoUnit.h"

#include "base/ProgramPaths.h"
#include "widgets/Platform.h"
#include "widgets/TImage.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {
bool ClosesDialog(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}
} // namespace

TInfoFrm::TInfoFrm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("InfoFrm"));
    setWindowTitle(QStringLiteral("Informacja:"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(349, 288);

    Image1 = new TImage(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(3, 3, 32, 32);
    Image1->SetTransparent(true);
    try {
        Image1->LoadFromFile(SuppliedDataRoot() + QStringLiteral("data/grafika/informacja.png"));
    } catch (...) {
        // The sign is decoration; the dialog works without it.
    }

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::VLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(36, 0, 3, height());

    Label1 = new QLabel(QStringLiteral("Wyjaśnienie:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(43, 4);
    Label1->adjustSize();

    Bevel2 = new QFrame(this);
    Bevel2->setObjectName(QStringLiteral("Bevel2"));
    Bevel2->setFrameShape(QFrame::HLine);
    Bevel2->setFrameShadow(QFrame::Sunken);
    Bevel2->setGeometry(38, 19, width() - 38, 3);

    memo1 = new QLabel(this);
    memo1->setObjectName(QStringLiteral("memo1"));
    memo1->setGeometry(43, 26, 298, 236);
    memo1->setTextFormat(Qt::PlainText);
    memo1->setWordWrap(true);
    memo1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Button1 = new QPushButton(QStringLiteral("&OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(270, 259, 75, 25);
    Button1->setCursor(Qt::PointingHandCursor);
    connect(Button1, &QPushButton::clicked, this, &TInfoFrm::Button1Click);

    Button1->installEventFilter(this);
}

void TInfoFrm::ShowMsg(const QString &text)
{
    memo1->setText(text);
    Platform::ShowModal(this);
}

void TInfoFrm::Button1Click()
{
    close();
}

void TInfoFrm::FormKeyDown(int key)
{
    if (ClosesDialog(key))
        close();
}

bool TInfoFrm::eventFilter(QObject *watched, QEvent *event)
{
    // The dialog sees keys before its controls; once it has closed, a key that travels
    // on to the dialog itself is not handled a second time.
    if (event->type() == QEvent::KeyPress && isVisible())
        FormKeyDown(static_cast<QKeyEvent *>(event)->key());
    return QDialog::eventFilter(watched, event);
}

void TInfoFrm::keyPressEvent(QKeyEvent *event)
{
    if (isVisible())
        FormKeyDown(event->key());
    QDialog::keyPressEvent(event);
}

void TInfoFrm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Button1->setFocus();
}
