#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>

// The program's picture control. Draws its picture and nothing else: with no picture,
// or where the picture is transparent, whatever lies beneath the control shows through.
//
// Placement follows the classic picture control: by default the picture is drawn at its
// own size from the top-left corner; Stretch fills the control without keeping
// proportions; Proportional only ever shrinks a picture that does not fit (keeping its
// proportions), and together with Stretch it also enlarges a small one to fit; Center
// centres whatever size results.
class TImage : public QWidget
{
    Q_OBJECT

public:
    explicit TImage(QWidget *parent = nullptr);

    const QImage &Picture() const { return m_picture; }
    void SetPicture(const QImage &picture);
    void Clear();
    // Decodes the file at the size the control shows it (see LoadPicture). Raises
    // EInOutError when the file cannot be read; the picture shown before then stays.
    void LoadFromFile(const QString &path);
    // Photos the user keeps: LoadFromFile then goes through the desktop's thumbnail
    // cache (ThumbnailCache), so a photo shown before comes up at once. A photo decoded
    // from its file leaves its thumbnail once it is on screen.
    bool Thumbnails() const { return m_thumbnails; }
    void SetThumbnails(bool thumbnails) { m_thumbnails = thumbnails; }

    bool Stretch() const { return m_stretch; }
    void SetStretch(bool stretch);
    bool Proportional() const { return m_proportional; }
    void SetProportional(bool proportional);
    bool Center() const { return m_center; }
    void SetCenter(bool center);
    // A picture without an alpha channel then has the colour of its bottom-left pixel
    // drawn transparent; a picture with alpha uses its alpha either way.
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent);

    // While a picture is shown, the part of the control it leaves free (the bands beside
    // a photo shown with its proportions kept) takes this colour; by default, or with an
    // invalid colour, what lies beneath shows through there.
    void SetBackdrop(const QColor &colour);

    // Where the picture lands inside the control, in the control's coordinates.
    QRect DestRect() const;
    QSize sizeHint() const override;

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    bool ScalesToControl() const { return m_stretch || m_proportional; }
    QSize CoverSize() const;
    void PictureChanged();
    void ReloadIfTooSmall();

    QImage m_picture;
    QImage m_shown;  // m_picture with its transparent colour keyed out when Transparent
    QImage m_scaled; // m_shown scaled to the last destination size, for repaints
    // The file the picture was decoded from at a reduced size; an enlarged control
    // decodes it again rather than blowing up the small decode.
    QString m_reducedFrom;
    QColor m_backdrop;
    bool m_stretch = false;
    bool m_proportional = false;
    bool m_center = false;
    bool m_transparent = false;
    bool m_thumbnails = false;
    bool m_pressed = false;
};
