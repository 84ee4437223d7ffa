#include "widgets/TImage.h"

#include "base/Exception.h"
#include "base/JpegImage.h"
#include "base/ThumbnailCache.h"

#include <QMouseEvent>
#include <QPainter>
#include <QThreadPool>

#include <cmath>

TImage::TImage(QWidget *parent) : QWidget(parent) {}

void TImage::SetPicture(const QImage &picture)
{
    m_picture = picture;
    m_reducedFrom.clear();
    PictureChanged();
}

void TImage::Clear()
{
    SetPicture(QImage());
}

void TImage::LoadFromFile(const QString &path)
{
    const QSize cover = ScalesToControl() ? CoverSize() : QSize();
    QImage loaded = m_thumbnails ? ThumbnailCache().FindCovering(path, cover) : QImage();
    const bool decoded = loaded.isNull();
    if (decoded)
        loaded = LoadPicture(path, cover);
    const bool mayBeReduced = cover.isValid() && loaded.width() >= cover.width() && loaded.height() >= cover.height();
    m_picture = std::move(loaded);
    m_reducedFrom = mayBeReduced ? path : QString();
    PictureChanged();
    // The thumbnail serves the next showing, not this one: it is scaled and written on a
    // worker thread while the photo goes on screen. A write that fails only costs the
    // next showing its speed.
    if (m_thumbnails && decoded && cover.isValid() && cover.width() <= ThumbnailCache::Size &&
        cover.height() <= ThumbnailCache::Size) {
        QThreadPool::globalInstance()->start([path, picture = m_picture] { ThumbnailCache().Store(path, picture); });
    }
}

void TImage::SetStretch(bool stretch)
{
    if (m_stretch == stretch)
        return;
    m_stretch = stretch;
    update();
}

void TImage::SetProportional(bool proportional)
{
    if (m_proportional == proportional)
        return;
    m_proportional = proportional;
    update();
}

void TImage::SetCenter(bool center)
{
    if (m_center == center)
        return;
    m_center = center;
    update();
}

void TImage::SetTransparent(bool transparent)
{
    if (m_transparent == transparent)
        return;
    m_transparent = transparent;
    PictureChanged();
}

void TImage::SetBackdrop(const QColor &colour)
{
    if (m_backdrop == colour)
        return;
    m_backdrop = colour;
    update();
}

QRect TImage::DestRect() const
{
    int w = m_picture.width();
    int h = m_picture.height();
    const int cw = width();
    const int ch = height();
    if (m_stretch || (m_proportional && (w > cw || h > ch))) {
        if (m_proportional && w > 0 && h > 0) {
            const double aspect = double(w) / h;
            if (w > h) {
                w = cw;
                h = int(cw / aspect);
                if (h > ch) {
                    h = ch;
                    w = int(ch * aspect);
                }
            } else {
                h = ch;
                w = int(ch * aspect);
                if (w > cw) {
                    w = cw;
                    h = int(cw / aspect);
                }
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    QRect dest(0, 0, w, h);
    if (m_center)
        dest.moveTo((cw - w) / 2, (ch - h) / 2);
    return dest;
}

QSize TImage::sizeHint() const
{
    return m_picture.isNull() ? QSize(105, 105) : m_picture.size();
}

void TImage::paintEvent(QPaintEvent *)
{
    if (m_shown.isNull())
        return;
    const QRect dest = DestRect();
    if (dest.isEmpty())
        return;
    const qreal ratio = devicePixelRatioF();
    const QSize target(qRound(dest.width() * ratio), qRound(dest.height() * ratio));
    QPainter painter(this);
    if (m_backdrop.isValid())
        painter.fillRect(rect(), m_backdrop);
    if (target == m_shown.size()) {
        painter.drawImage(dest, m_shown);
        return;
    }
    if (m_scaled.size() != target)
        m_scaled = m_shown.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    painter.drawImage(dest, m_scaled);
}

void TImage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    ReloadIfTooSmall();
}

void TImage::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    QWidget::mousePressEvent(event);
}

void TImage::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = event->button() == Qt::LeftButton && m_pressed && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        m_pressed = false;
    QWidget::mouseReleaseEvent(event);
    if (click)
        Q_EMIT clicked();
}

void TImage::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double-click is no second click: one double-click opens a
    // photo once. The base would take it for a press.
    m_pressed = false;
    event->accept();
}

QSize TImage::CoverSize() const
{
    const qreal ratio = devicePixelRatioF();
    return QSize(int(std::ceil(width() * ratio)), int(std::ceil(height() * ratio)));
}

void TImage::PictureChanged()
{
    m_scaled = QImage();
    if (m_transparent && !m_picture.isNull() && !m_picture.hasAlphaChannel()) {
        QImage keyed = m_picture.convertToFormat(QImage::Format_ARGB32);
        const QRgb key = keyed.pixel(0, keyed.height() - 1) & RGB_MASK;
        for (int y = 0; y < keyed.height(); ++y) {
            auto *row = reinterpret_cast<QRgb *>(keyed.scanLine(y));
            for (int x = 0; x < keyed.width(); ++x) {
                if ((row[x] & RGB_MASK) == key)
                    row[x] = 0;
            }
        }
        m_shown = std::move(keyed);
    } else {
        m_shown = m_picture;
    }
    update();
}

void TImage::ReloadIfTooSmall()
{
    if (m_reducedFrom.isEmpty() || !ScalesToControl())
        return;
    const QSize cover = CoverSize();
    if (m_picture.width() >= cover.width() && m_picture.height() >= cover.height())
        return;
    try {
        QImage loaded = LoadPicture(m_reducedFrom, cover);
        const bool mayBeReduced = loaded.width() >= cover.width() && loaded.height() >= cover.height();
        m_picture = std::move(loaded);
        if (!mayBeReduced)
            m_reducedFrom.clear();
        PictureChanged();
    } catch (const Exception &) {
        // The file has gone or changed since it was shown; the smaller decode still
        // serves, scaled up.
        m_reducedFrom.clear();
    }
}
