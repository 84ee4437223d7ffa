#pragma once

#include "quiz/TQuizFrm.h"

class QFrame;

// The fish identification test: each question shows one fish's picture and asks three
// things about it; a right answer to each part scores a point, 36 in all.
class TTestyRybyFrm : public TQuizFrm
{
    Q_OBJECT

public:
    explicit TTestyRybyFrm(QWidget *parent = nullptr);

    QFrame *Shape1 = nullptr;
    TImage *Image1 = nullptr;
    TRadioGroup *RadioGroup1 = nullptr;
    TRadioGroup *RadioGroup2 = nullptr;
    TRadioGroup *RadioGroup3 = nullptr;
    // The wrong-answer marks beside the three groups.
    TImage *Image2 = nullptr;
    TImage *Image3 = nullptr;
    TImage *Image4 = nullptr;

protected:
    void ShowQuestion() override;
    void ClearQuestion() override;
    QImage QuestionPicture() const override;
};
