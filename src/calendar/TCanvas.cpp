#include "calendar/TCanvas.h"

#include <QColor>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QWidget>
#include <algorithm>

QColor ToQColor(TColor color, const QPalette &palette)
{
    if ((color & 0x80000000u) == 0)
        return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
    switch (color) {
    case clWindow:
        return palette.color(QPalette::Base);
    case clWindowText:
        return palette.color(QPalette::Text);
    case clBtnFace:
        return palette.color(QPalette::Button);
    case clBtnText:
        return palette.color(QPalette::ButtonText);
    case clHighlight:
        return palette.color(QPalette::Active, QPalette::Highlight);
    case clHighlightText:
        return palette.color(QPalette::Active, QPalette::HighlightedText);
    case clInactiveCaption:
        // No palette role stands for an inactive title bar; this is the classic desktop's.
        return QColor(191, 205, 219);
    default:
        return palette.color(QPalette::Window);
    }
}

TCanvas::TCanvas(const QWidget &owner) : m_owner(owner) {}

QColor TCanvas::ColorOf(TColor color) const
{
    return ToQColor(color, m_owner.palette());
}

void TCanvas::BeginPaint(QPainter *painter)
{
    m_painter = painter;
}

void TCanvas::EndPaint()
{
    m_painter = nullptr;
}

void TCanvas::FillWithBrush(int left, int top, int width, int height)
{
    if (!m_painter || width <= 0 || height <= 0)
        return;
    switch (m_brush.Style) {
    case TBrushStyle::bsClear:
        break;
    case TBrushStyle::bsSolid:
        m_painter->fillRect(left, top, width, height, ColorOf(m_brush.Color));
        break;
    case TBrushStyle::bsDiagCross:
        m_painter->fillRect(left, top, width, height, QBrush(ColorOf(m_brush.Color), Qt::DiagCrossPattern));
        break;
    }
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    if (!m_painter)
        return;
    const int left = std::min(x1, x2);
    const int right = std::max(x1, x2);
    const int top = std::min(y1, y2);
    const int bottom = std::max(y1, y2);
    const int width = right - left;
    const int height = bottom - top;
    FillWithBrush(left, top, width, height);
    if (m_pen.Style == TPenStyle::psClear || width <= 0 || height <= 0)
        return;
    // The outline is laid as four bands inside the rectangle, so it covers exactly the
    // pixels the rectangle names whatever the pen width.
    const int w = std::max(1, m_pen.Width);
    const QColor pen = ColorOf(m_pen.Color);
    m_painter->fillRect(left, top, width, std::min(w, height), pen);
    m_painter->fillRect(left, std::max(top, bottom - w), width, std::min(w, height), pen);
    m_painter->fillRect(left, top, std::min(w, width), height, pen);
    m_painter->fillRect(std::max(left, right - w), top, std::min(w, width), height, pen);
}

void TCanvas::FillRect(const TRect &rect)
{
    FillWithBrush(std::min(rect.Left, rect.Right), std::min(rect.Top, rect.Bottom), std::abs(rect.Width()),
                  std::abs(rect.Height()));
}

void TCanvas::TextOut(int x, int y, const QString &text)
{
    if (!m_painter)
        return;
    m_painter->setFont(m_font);
    const QFontMetrics metrics(m_font);
    if (m_brush.Style == TBrushStyle::bsSolid)
        m_painter->fillRect(x, y, metrics.horizontalAdvance(text), metrics.height(), ColorOf(m_brush.Color));
    m_painter->setPen(ColorOf(m_fontColor));
    m_painter->drawText(x, y + metrics.ascent(), text);
}

void TCanvas::TextRect(const TRect &clip, int x, int y, const QString &text)
{
    if (!m_painter)
        return;
    m_painter->save();
    m_painter->setClipRect(clip.Left, clip.Top, clip.Width(), clip.Height(), Qt::IntersectClip);
    TextOut(x, y, text);
    m_painter->restore();
}

int TCanvas::TextWidth(const QString &text) const
{
    return QFontMetrics(m_font).horizontalAdvance(text);
}

int TCanvas::TextHeight(const QString &text) const
{
    return QFontMetrics(m_font).height();
}
