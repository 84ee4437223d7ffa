#include "quiz/QuizReviewFrmUnit.h"

#include "widgets/Platform.h"
#include "widgets/Utils.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

TQuizReviewFrm::TQuizReviewFrm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("QuizReviewFrm"));
    setWindowTitle(QStringLiteral("Przegląd odpowiedzi"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    resize(640, 540);

    Memo1 = new QTextBrowser(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setOpenLinks(false);
    Memo1->setFont(ProgramFont(10));

    Button1 = new QPushButton(QStringLiteral("&Zamknij"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Memo1, 1);
    layout->addLayout(buttons);
}

void TQuizReviewFrm::ShowReview(const QString &html, const QHash<QString, QImage> &pictures)
{
    Memo1->clear();
    for (auto picture = pictures.begin(); picture != pictures.end(); ++picture)
        Memo1->document()->addResource(QTextDocument::ImageResource, QUrl(picture.key()), picture.value());
    Memo1->setHtml(html);
    Memo1->moveCursor(QTextCursor::Start);
    Memo1->setFocus();
    Platform::ShowModal(this);
}
