#pragma once

#include <QGroupBox>
#include <QList>
#include <QStringList>

class QButtonGroup;
class QLabel;
class QRadioButton;

// A framed group of answers, one of which may be chosen. The answers are spread evenly
// down the group, each beside its button and wrapped at the group's width; clicking an
// answer's text chooses it too.
class TRadioGroup : public QGroupBox
{
    Q_OBJECT

public:
    explicit TRadioGroup(QWidget *parent = nullptr);

    // Empties the list and adds these answers; none is then chosen.
    void SetItems(const QStringList &items);
    QStringList Items() const;
    // The chosen answer counted from 0, or -1 when none is.
    int ItemIndex() const;
    void SetItemIndex(int index);

    QRadioButton *Button(int index) const { return m_buttons.value(index); }
    // The text beside a button, which a graded answer is coloured by.
    QLabel *Label(int index) const { return m_labels.value(index); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QButtonGroup *m_group = nullptr;
    QList<QRadioButton *> m_buttons;
    QList<QLabel *> m_labels;
};
