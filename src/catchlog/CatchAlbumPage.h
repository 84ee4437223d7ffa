#pragma once

#include <QAbstractListModel>
#include <QCache>
#include <QHash>
#include <QPixmap>
#include <QSet>
#include <QThreadPool>
#include <QWidget>
#include <memory>
#include <vector>

class CatchLog;
class QListView;
class QLabel;
struct CatchRecord;

// The photos of the catches the catch log shows, one cell each, captioned with species,
// weight and day. A cell's thumbnail is made when the view first paints it, on a worker
// thread, from the desktop's thumbnail cache or a scaled decode; only the cells on
// screen are ever asked for, and the finished thumbnails are kept within a bound.
class CatchAlbumModel : public QAbstractListModel
{
    Q_OBJECT

public:
    // The side of a cell's picture.
    static constexpr int PictureSize = 160;

    explicit CatchAlbumModel(QObject *parent = nullptr);
    ~CatchAlbumModel() override;

    // The shown catches that have a photo, in the log's order.
    void Update(const CatchLog &log);
    const CatchRecord &RecordAt(int row) const { return m_records[size_t(row)]; }
    // The photo file of a catch.
    static QString PhotoPath(const CatchRecord &record);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    // Thumbnails asked for and not yet made; for tests to wait on.
    int Pending() const { return int(m_pending.size()); }

private:
    void Request(int row) const;
    void Made(quint64 generation, int row, const QImage &thumbnail, bool missing);
    QPixmap Placeholder(bool missing, const QString &fileName) const;
    static QImage Framed(const QImage &picture);

    std::vector<CatchRecord> m_records;
    // Bumped by every update, so that a thumbnail of an older list is dropped.
    quint64 m_generation = 0;
    mutable QCache<int, QPixmap> m_thumbnails;
    mutable QSet<int> m_pending;
    QSet<int> m_missing;
    // The frame shown while a thumbnail is made, drawn once.
    QPixmap m_waiting;
    // Two workers at most: the view stays responsive while they decode, and a photo on
    // a slow disk does not hold up the rest of the screen.
    mutable QThreadPool m_pool;
};

// "Album", a page of the catch log.
class CatchAlbumPage : public QWidget
{
    Q_OBJECT

public:
    explicit CatchAlbumPage(QWidget *parent = nullptr);

    void Update(const CatchLog &log);

    QListView *AlbumView = nullptr;
    QLabel *NoteLabel = nullptr;
    CatchAlbumModel *Model() const { return m_model; }

Q_SIGNALS:
    // Enter or a double click on a catch.
    void CatchChosen(const CatchRecord &record);

private:
    CatchAlbumModel *m_model;
};
