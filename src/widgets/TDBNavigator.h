#pragma once

#include "widgets/FollowedDataSource.h"
#include "widgets/TDataSource.h"
#include "widgets/TNavigateBtn.h"

#include <QList>
#include <QWidget>
#include <array>
#include <functional>

class QToolButton;

// A bar of buttons that move through and change the rows of a data source's dataset.
class TDBNavigator : public QWidget
{
    Q_OBJECT

public:
    explicit TDBNavigator(QWidget *parent = nullptr);

    TDataSource *DataSource() const { return m_source; }
    void SetDataSource(TDataSource *source);

    QList<TNavigateBtn> VisibleButtons() const { return m_visible; }
    void SetVisibleButtons(const QList<TNavigateBtn> &buttons);
    void SetFlat(bool flat);
    // Ask before Delete removes the current row.
    bool ConfirmDelete = true;

    // Runs before a button is carried out; setting handled leaves the button's own
    // action (and OnClick) out.
    std::function<void(TNavigateBtn button, bool &handled)> BeforeAction;
    // Runs after a button has been carried out.
    std::function<void(TNavigateBtn button)> OnClick;

    QToolButton *Button(TNavigateBtn button) const;
    // The visible buttons in the order Tab visits them.
    QList<QWidget *> TabStops() const;
    // Does what a click on the button does.
    void BtnClick(TNavigateBtn button);

    static QString Hint(TNavigateBtn button);
    static QString ObjectName(TNavigateBtn button);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void DrawGlyphs();
    void UpdateButtons();
    void Carry(TNavigateBtn button);

    FollowedDataSource m_source;
    std::array<QToolButton *, NavigateBtnCount> m_buttons{};
    QList<TNavigateBtn> m_visible;
    bool m_flat = false;
};
