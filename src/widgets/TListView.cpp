#include "widgets/TListView.h"

#include <QHeaderView>

namespace {
constexpr int ImageIndexRole = Qt::UserRole + 1;
}

TListView::TListView(QWidget *parent) : QTreeWidget(parent)
{
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    setIconSize(QSize(16, 16));
    header()->setSectionsMovable(false);
}

void TListView::SetSmallImages(const QList<QIcon> &images)
{
    m_smallImages = images;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem *row = topLevelItem(i);
        SetImageIndex(row, ImageIndex(row));
    }
}

int TListView::ImageIndex(const QTreeWidgetItem *item)
{
    const QVariant index = item->data(0, ImageIndexRole);
    return index.isValid() ? index.toInt() : -1;
}

void TListView::SetImageIndex(QTreeWidgetItem *item, int index)
{
    item->setData(0, ImageIndexRole, index);
    const auto *view = qobject_cast<const TListView *>(item->treeWidget());
    const QIcon icon =
        view && index >= 0 && index < view->m_smallImages.size() ? view->m_smallImages.at(index) : QIcon();
    item->setIcon(0, icon);
}
