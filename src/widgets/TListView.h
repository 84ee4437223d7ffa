#pragma once

#include <QIcon>
#include <QList>
#include <QTreeWidget>

// A report-style list view: rows with a caption and further columns, each row showing
// one picture of the view's small-image list by index.
class TListView : public QTreeWidget
{
    Q_OBJECT

public:
    explicit TListView(QWidget *parent = nullptr);

    const QList<QIcon> &SmallImages() const { return m_smallImages; }
    void SetSmallImages(const QList<QIcon> &images);

    // The image index a row was given; -1 for none.
    static int ImageIndex(const QTreeWidgetItem *item);
    static void SetImageIndex(QTreeWidgetItem *item, int index);

private:
    QList<QIcon> m_smallImages;
};
