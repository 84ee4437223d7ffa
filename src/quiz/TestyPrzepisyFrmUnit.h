#pragma once

#include "quiz/TQuizFrm.h"

class QTextEdit;

// The regulations test: each question is a text with three answers, one of them right;
// a right answer scores a point, 12 in all.
class TTestyPrzepisyFrm : public TQuizFrm
{
    Q_OBJECT

public:
    explicit TTestyPrzepisyFrm(QWidget *parent = nullptr);

    QLabel *Label7 = nullptr;
    QTextEdit *Memo1 = nullptr;
    TRadioGroup *RadioGroup1 = nullptr;

protected:
    void ShowQuestion() override;
    void ClearQuestion() override;
};
