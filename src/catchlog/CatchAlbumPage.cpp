#include "catchlog/CatchAlbumPage.h"

#include "base/Exception.h"
#include "base/ThumbnailCache.h"
#include "diary/CatchLog.h"
#include "diary/CatchValues.h"
#include "diary/DayDiary.h"

#include <QDate>
#include <QFileInfo>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QPointer>
#include <QVBoxLayout>

namespace {
// About a hundred screens of thumbnails, a few tens of megabytes.
constexpr int KeptThumbnails = 600;
const QColor FrameColor(150, 150, 150);
const QColor MissingColor(170, 30, 30);

QString Caption(const CatchRecord &record)
{
    const QString weight = CatchValues::MeasureText(record.weight);
    return (weight.isEmpty() ? record.species : QStringLiteral("%1, %2 kg").arg(record.species, weight)) +
           QLatin1Char('\n') + record.day.left(10);
}
} // namespace

CatchAlbumModel::CatchAlbumModel(QObject *parent) : QAbstractListModel(parent), m_thumbnails(KeptThumbnails)
{
    m_pool.setMaxThreadCount(2);
    m_waiting = Placeholder(false, QString());
}

CatchAlbumModel::~CatchAlbumModel()
{
    m_pool.clear();
    m_pool.waitForDone();
}

QString CatchAlbumModel::PhotoPath(const CatchRecord &record)
{
    return DayDiary::DayFolder(QDate::fromString(record.day.left(10), Qt::ISODate)) + QLatin1Char('/') + record.photo;
}

void CatchAlbumModel::Update(const CatchLog &log)
{
    beginResetModel();
    // Work queued for the old list is dropped; what is running finishes into nothing.
    m_pool.clear();
    ++m_generation;
    m_records.clear();
    for (const int index : log.Shown()) {
        const CatchRecord &record = log.Records()[size_t(index)];
        if (!record.photo.trimmed().isEmpty())
            m_records.push_back(record);
    }
    m_thumbnails.clear();
    m_pending.clear();
    m_missing.clear();
    endResetModel();
}

int CatchAlbumModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_records.size());
}

QVariant CatchAlbumModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int row = index.row();
    const CatchRecord &record = m_records[size_t(row)];
    switch (role) {
    case Qt::DisplayRole:
        return Caption(record);
    case Qt::ToolTipRole:
        return m_missing.contains(row) ? QStringLiteral("Brak pliku zdjęcia: %1").arg(PhotoPath(record))
                                       : PhotoPath(record);
    case Qt::DecorationRole:
        if (const QPixmap *thumbnail = m_thumbnails.object(row))
            return *thumbnail;
        Request(row);
        return m_waiting;
    default:
        return {};
    }
}

void CatchAlbumModel::Request(int row) const
{
    if (m_pending.contains(row))
        return;
    m_pending.insert(row);
    const QString path = PhotoPath(m_records[size_t(row)]);
    const quint64 generation = m_generation;
    QPointer<CatchAlbumModel> self(const_cast<CatchAlbumModel *>(this));
    m_pool.start([self, generation, row, path] {
        QImage thumbnail;
        bool missing = !QFileInfo(path).isFile();
        if (!missing) {
            try {
                // A photo not yet in the desktop's cache is decoded large enough to leave
                // its thumbnail there, so that the album opens quickly the next time.
                const ThumbnailCache cache;
                const QSize cell(PictureSize, PictureSize);
                thumbnail = cache.FindCovering(path, cell);
                if (thumbnail.isNull())
                    thumbnail = cache.Load(path, QSize(ThumbnailCache::Size, ThumbnailCache::Size));
                thumbnail = Framed(thumbnail);
            } catch (const Exception &) {
                missing = true;
            }
        }
        QMetaObject::invokeMethod(
            self.data(),
            [self, generation, row, thumbnail, missing] {
                if (self)
                    self->Made(generation, row, thumbnail, missing);
            },
            Qt::QueuedConnection);
    });
}

void CatchAlbumModel::Made(quint64 generation, int row, const QImage &thumbnail, bool missing)
{
    if (generation != m_generation)
        return;
    m_pending.remove(row);
    if (missing)
        m_missing.insert(row);
    // A missing photo's frame is kept like a thumbnail, so that it is drawn once.
    m_thumbnails.insert(row, new QPixmap(missing ? Placeholder(true, m_records[size_t(row)].photo)
                                                 : QPixmap::fromImage(thumbnail)));
    const QModelIndex changed = index(row);
    Q_EMIT dataChanged(changed, changed, {Qt::DecorationRole, Qt::ToolTipRole});
}

// Every picture in one box, an upright photo in the middle of it: the album's cells are
// all of one size, and a taller picture would cover its caption.
QImage CatchAlbumModel::Framed(const QImage &picture)
{
    const QSize box(PictureSize, PictureSize * 3 / 4);
    const QImage fitted = picture.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (fitted.size() == box)
        return fitted;
    QImage framed(box, QImage::Format_ARGB32_Premultiplied);
    framed.fill(Qt::transparent);
    QPainter painter(&framed);
    painter.drawImage((box.width() - fitted.width()) / 2, (box.height() - fitted.height()) / 2, fitted);
    painter.end();
    return framed;
}

// A grey frame while the thumbnail is made; a crossed red one, with the file's name, for
// a photo that is gone or cannot be read.
QPixmap CatchAlbumModel::Placeholder(bool missing, const QString &fileName) const
{
    QPixmap frame(PictureSize, PictureSize * 3 / 4);
    frame.fill(Qt::transparent);
    QPainter painter(&frame);
    painter.setPen(QPen(missing ? MissingColor : FrameColor, missing ? 2 : 1, missing ? Qt::SolidLine : Qt::DashLine));
    const QRect box = frame.rect().adjusted(1, 1, -1, -1);
    painter.drawRect(box);
    if (missing) {
        painter.drawLine(box.topLeft(), box.bottomRight());
        painter.drawLine(box.topRight(), box.bottomLeft());
        painter.setPen(Qt::black);
        QFont font = painter.font();
        font.setPointSize(8);
        painter.setFont(font);
        const QRect text = box.adjusted(6, box.height() / 2 - 18, -6, -(box.height() / 2 - 18));
        painter.fillRect(text, QColor(255, 255, 255, 220));
        painter.drawText(text, Qt::AlignCenter | Qt::TextWrapAnywhere,
                         QStringLiteral("brak zdjęcia\n%1").arg(fileName));
    }
    return frame;
}

CatchAlbumPage::CatchAlbumPage(QWidget *parent) : QWidget(parent), m_model(new CatchAlbumModel(this))
{
    setObjectName(QStringLiteral("CatchAlbumPage"));
    NoteLabel = new QLabel(this);
    NoteLabel->setObjectName(QStringLiteral("NoteLabel"));
    AlbumView = new QListView(this);
    AlbumView->setObjectName(QStringLiteral("AlbumView"));
    AlbumView->setViewMode(QListView::IconMode);
    AlbumView->setMovement(QListView::Static);
    AlbumView->setResizeMode(QListView::Adjust);
    AlbumView->setUniformItemSizes(true);
    AlbumView->setWrapping(true);
    AlbumView->setSpacing(6);
    AlbumView->setIconSize(QSize(CatchAlbumModel::PictureSize, CatchAlbumModel::PictureSize * 3 / 4));
    AlbumView->setGridSize(QSize(CatchAlbumModel::PictureSize + 24, CatchAlbumModel::PictureSize * 3 / 4 + 50));
    AlbumView->setSelectionMode(QAbstractItemView::SingleSelection);
    AlbumView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    AlbumView->setModel(m_model);
    AlbumView->setToolTip(QString());
    connect(AlbumView, &QAbstractItemView::activated, this, [this](const QModelIndex &index) {
        if (index.isValid())
            Q_EMIT CatchChosen(m_model->RecordAt(index.row()));
    });
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(NoteLabel);
    layout->addWidget(AlbumView, 1);
}

void CatchAlbumPage::Update(const CatchLog &log)
{
    m_model->Update(log);
    NoteLabel->setText(
        m_model->rowCount() == 0
            ? QStringLiteral("Żaden z pokazanych połowów nie ma zdjęcia. Zdjęcie dodaje się w szczegółach połowu.")
            : QStringLiteral("Zdjęcia pokazanych połowów: %1. Enter albo dwukrotne kliknięcie pokazuje połów w "
                             "kalendarzu.")
                  .arg(m_model->rowCount()));
    if (m_model->rowCount() > 0)
        AlbumView->setCurrentIndex(m_model->index(0));
}
