#pragma once

#include <QFont>
#include <QString>
#include <cstdint>

class QColor;
class QPainter;
class QPalette;
class QWidget;

// A colour value: red in the low byte, green in the next, blue in the third. Values with
// the high bit set name a system colour by its index (the Windows COLOR_* numbering).
using TColor = std::uint32_t;

constexpr TColor RgbColor(int red, int green, int blue)
{
    return static_cast<TColor>(red & 0xFF) | static_cast<TColor>(green & 0xFF) << 8 |
           static_cast<TColor>(blue & 0xFF) << 16;
}

constexpr TColor clBlack = RgbColor(0, 0, 0);
constexpr TColor clNavy = RgbColor(0, 0, 128);
constexpr TColor clTeal = RgbColor(0, 128, 128);
constexpr TColor clRed = RgbColor(255, 0, 0);
constexpr TColor clSilver = RgbColor(192, 192, 192);
constexpr TColor clWhite = RgbColor(255, 255, 255);

constexpr TColor clInactiveCaption = 0x80000003;
constexpr TColor clWindow = 0x80000005;
constexpr TColor clWindowText = 0x80000008;
constexpr TColor clHighlight = 0x8000000D;
constexpr TColor clHighlightText = 0x8000000E;
constexpr TColor clBtnFace = 0x8000000F;
constexpr TColor clBtnText = 0x80000012;

// System colours come from the palette of the widget that draws.
QColor ToQColor(TColor color, const QPalette &palette);

// A cell or drawing rectangle; Right and Bottom are exclusive.
struct TRect
{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    friend bool operator==(const TRect &, const TRect &) = default;
};

// A drawing surface with the brush, pen and font a paint handler expects. It stays
// alive between paints, so its pen and brush keep whatever the last drawer left.
class TCanvas
{
public:
    enum class TBrushStyle { bsSolid, bsClear, bsDiagCross };
    enum class TPenStyle { psSolid, psClear };

    struct TBrush
    {
        TColor Color = clWhite;
        TBrushStyle Style = TBrushStyle::bsSolid;
    };
    struct TPen
    {
        TColor Color = clBlack;
        int Width = 1;
        TPenStyle Style = TPenStyle::psSolid;
    };

    // System colours are taken from the owner's palette at the time of drawing.
    explicit TCanvas(const QWidget &owner);

    TBrush &Brush() { return m_brush; }
    TPen &Pen() { return m_pen; }
    QFont &Font() { return m_font; }
    void SetFontColor(TColor color) { m_fontColor = color; }

    // Filled with the brush, outlined with the pen inside x1..x2-1 by y1..y2-1; the
    // corners may be given in any order.
    void Rectangle(int x1, int y1, int x2, int y2);
    void FillRect(const TRect &rect);
    // The text with its top-left corner at (x, y), on the brush colour unless the brush is clear.
    void TextOut(int x, int y, const QString &text);
    // As TextOut, but nothing is drawn outside clip.
    void TextRect(const TRect &clip, int x, int y, const QString &text);
    int TextWidth(const QString &text) const;
    int TextHeight(const QString &text) const;

    // Drawing happens only between BeginPaint and EndPaint; outside it the calls are ignored.
    void BeginPaint(QPainter *painter);
    void EndPaint();
    QPainter *Painter() const { return m_painter; }
    QColor ColorOf(TColor color) const;

private:
    void FillWithBrush(int left, int top, int width, int height);

    const QWidget &m_owner;
    QPainter *m_painter = nullptr;
    TBrush m_brush;
    TPen m_pen;
    QFont m_font;
    TColor m_fontColor = clWindowText;
};
