#pragma once

#include <QDialog>
#include <QHash>
#include <QImage>

class QPushButton;
class QTextBrowser;

// The modal review after a finished test: every question with the answer given, the
// right one and the explanation, so that a test also teaches.
class TQuizReviewFrm : public QDialog
{
    Q_OBJECT

public:
    explicit TQuizReviewFrm(QWidget *parent = nullptr);

    // Shows the review, with the pictures its text names, and returns when the window is
    // closed.
    void ShowReview(const QString &html, const QHash<QString, QImage> &pictures = {});

    QTextBrowser *Memo1 = nullptr;
    QPushButton *Button1 = nullptr;
};
