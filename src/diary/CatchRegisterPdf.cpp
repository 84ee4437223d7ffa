#include "diary/CatchRegisterPdf.h"

#include "base/CheckedFile.h"
#include "diary/CatchLog.h"
#include "diary/CatchValues.h"

#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <functional>

namespace {
// A4 in millimetres, and the margins of the printed area.
constexpr double PageWidth = 210, PageHeight = 297, Margin = 15, FooterHeight = 8;
constexpr double RowHeight = 6.2, TextPadding = 1.5;
// A field of the heading: its caption, then its value over a line to write on.
constexpr double FieldHeight = 7, FieldCaptionWidth = 52;
// The room left above the lines for the place, date and signature, and their length.
constexpr double SignatureRoom = 16, SignatureWidth = 70;

struct Column
{
    QString title;
    double width;
    Qt::Alignment align = Qt::AlignLeft;
};

struct Block
{
    enum class Kind { Text, Table, Field, Signatures };
    Kind kind = Kind::Text;
    // A paragraph's text, or a field's caption.
    QString text;
    // A field's value; empty for a line to fill in by hand.
    QString value;
    int pointSize = 10;
    bool bold = false;
    // A table's columns under a heading row, and its rows.
    std::vector<Column> columns;
    std::vector<QStringList> rows;
    // The index of a row printed in bold (the table's total), or -1.
    int totalRow = -1;
};

QString Kg(double value)
{
    return CatchValues::MeasureText(value);
}

Block Paragraph(const QString &text, int pointSize, bool bold)
{
    Block block;
    block.text = text;
    block.pointSize = pointSize;
    block.bold = bold;
    return block;
}

Block Field(const QString &caption, const QString &value)
{
    Block block;
    block.kind = Block::Kind::Field;
    block.text = caption;
    block.value = value.trimmed();
    return block;
}

Block Table(std::vector<Column> columns)
{
    Block block;
    block.kind = Block::Kind::Table;
    block.columns = std::move(columns);
    return block;
}

std::vector<Block> Blocks(const CatchRegister &reg, const CatchRegisterPdf::Heading &heading)
{
    std::vector<Block> blocks;
    blocks.push_back(Paragraph(QStringLiteral("Rejestr połowów ryb – rok %1").arg(reg.year), 16, true));
    for (const auto &[caption, value] : CatchRegisterPdf::Fields(reg, heading))
        blocks.push_back(Field(caption, value));
    if (reg.year >= heading.today.year())
        blocks.push_back(Paragraph(QStringLiteral("Rok %1 jeszcze trwa: rejestr obejmuje połowy zapisane do dnia %2.")
                                       .arg(reg.year)
                                       .arg(heading.today.toString(Qt::ISODate)),
                                   10, true));
    blocks.push_back(
        Paragraph(QStringLiteral("Ryby zabrane z łowiska, według dziennika połowów programu Rybowid."), 9, false));

    Block lines = Table({{QStringLiteral("Lp."), 10, Qt::AlignRight},
                         {QStringLiteral("Data"), 24},
                         {QStringLiteral("Łowisko"), 50},
                         {QStringLiteral("Nr łowiska"), 20},
                         {QStringLiteral("Gatunek"), 34},
                         {QStringLiteral("Liczba szt."), 22, Qt::AlignRight},
                         {QStringLiteral("Waga (kg)"), 20, Qt::AlignRight}});
    int number = 0;
    for (const CatchRegister::Line &l : reg.lines)
        lines.rows.push_back(
            {QString::number(++number), l.day, l.water, l.number, l.species, QString::number(l.count), Kg(l.weight)});
    if (reg.lines.empty())
        lines.rows.push_back({QString(), QString(), QStringLiteral("Brak zabranych ryb w tym roku")});
    blocks.push_back(lines);

    blocks.push_back(Paragraph(QStringLiteral("Razem według gatunków"), 12, true));
    Block species = Table({{QStringLiteral("Gatunek"), 138},
                           {QStringLiteral("Liczba szt."), 22, Qt::AlignRight},
                           {QStringLiteral("Waga (kg)"), 20, Qt::AlignRight}});
    for (const CatchRegister::Total &t : reg.bySpecies)
        species.rows.push_back({t.name, QString::number(t.count), Kg(t.weight)});
    species.totalRow = int(species.rows.size());
    species.rows.push_back({QStringLiteral("Razem"), QString::number(reg.count), Kg(reg.weight)});
    blocks.push_back(species);

    blocks.push_back(Paragraph(QStringLiteral("Razem według łowisk"), 12, true));
    Block waters = Table({{QStringLiteral("Łowisko"), 118},
                          {QStringLiteral("Nr łowiska"), 20},
                          {QStringLiteral("Liczba szt."), 22, Qt::AlignRight},
                          {QStringLiteral("Waga (kg)"), 20, Qt::AlignRight}});
    for (const CatchRegister::Total &t : reg.byWater)
        waters.rows.push_back({t.name, t.number, QString::number(t.count), Kg(t.weight)});
    waters.totalRow = int(waters.rows.size());
    waters.rows.push_back({QStringLiteral("Razem"), QString(), QString::number(reg.count), Kg(reg.weight)});
    blocks.push_back(waters);

    Block signatures;
    signatures.kind = Block::Kind::Signatures;
    blocks.push_back(signatures);
    return blocks;
}

// Lays the blocks out on pages and, with a painter, paints them; returns the number of
// pages. newPage is called before every page but the first.
int Layout(const std::vector<Block> &blocks, QPainter *painter, double dotsPerMm, int pageCount,
           const std::function<void()> &newPage)
{
    auto px = [dotsPerMm](double mm) { return mm * dotsPerMm; };
    const double bottom = PageHeight - Margin - FooterHeight;
    int page = 1;
    double y = Margin;
    auto font = [&](int pointSize, bool bold) {
        QFont f(QStringLiteral("DejaVu Sans"));
        // Point sizes are of the printed page, whatever the device's resolution.
        f.setPixelSize(std::max(1, int(pointSize * 25.4 / 72 * dotsPerMm)));
        f.setBold(bold);
        if (painter)
            painter->setFont(f);
    };
    auto footer = [&] {
        if (!painter)
            return;
        font(8, false);
        painter->setPen(Qt::black);
        painter->drawText(QRectF(px(Margin), px(PageHeight - Margin - 5), px(PageWidth - 2 * Margin), px(5)),
                          Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Strona %1 z %2").arg(page).arg(pageCount));
    };
    auto breakPage = [&] {
        footer();
        ++page;
        y = Margin;
        if (painter && newPage)
            newPage();
    };
    auto row = [&](const std::vector<Column> &columns, const QStringList &cells, bool heading, bool bold) {
        if (y + RowHeight > bottom)
            return false;
        if (painter) {
            double x = Margin;
            font(heading ? 8 : 9, heading || bold);
            for (size_t c = 0; c < columns.size(); ++c) {
                const QRectF cell(px(x), px(y), px(columns[c].width), px(RowHeight));
                if (heading)
                    painter->fillRect(cell, QColor(225, 225, 225));
                painter->setPen(QPen(Qt::black, px(0.2)));
                painter->drawRect(cell);
                const QRectF inner = cell.adjusted(px(TextPadding), 0, -px(TextPadding), 0);
                const QString text =
                    painter->fontMetrics().elidedText(cells.value(qsizetype(c)), Qt::ElideRight, int(inner.width()));
                painter->drawText(inner, (heading ? Qt::AlignLeft : columns[c].align) | Qt::AlignVCenter, text);
                x += columns[c].width;
            }
        }
        y += RowHeight;
        return true;
    };

    auto line = [&](double x, double width, double atY) {
        painter->setPen(QPen(Qt::black, px(0.2)));
        painter->drawLine(QPointF(px(x), px(atY)), QPointF(px(x + width), px(atY)));
    };

    Block::Kind previous = Block::Kind::Text;
    for (const Block &block : blocks) {
        // The heading's fields stand apart from what follows them.
        if (previous == Block::Kind::Field && block.kind != Block::Kind::Field)
            y += 2;
        previous = block.kind;
        if (block.kind == Block::Kind::Field) {
            if (y + FieldHeight > bottom)
                breakPage();
            if (painter) {
                const double valueWidth = PageWidth - 2 * Margin - FieldCaptionWidth;
                font(9, false);
                painter->setPen(Qt::black);
                painter->drawText(QRectF(px(Margin), px(y), px(FieldCaptionWidth), px(FieldHeight - 1)),
                                  Qt::AlignLeft | Qt::AlignBottom, block.text);
                font(10, true);
                painter->drawText(QRectF(px(Margin + FieldCaptionWidth), px(y), px(valueWidth), px(FieldHeight - 1)),
                                  Qt::AlignLeft | Qt::AlignBottom,
                                  painter->fontMetrics().elidedText(block.value, Qt::ElideRight, int(px(valueWidth))));
                line(Margin + FieldCaptionWidth, valueWidth, y + FieldHeight - 0.5);
            }
            y += FieldHeight;
            continue;
        }
        if (block.kind == Block::Kind::Signatures) {
            // The lines and their captions stay together, below the last table.
            const double captionHeight = 5;
            if (y + SignatureRoom + captionHeight > bottom)
                breakPage();
            y += SignatureRoom;
            if (painter) {
                const double right = PageWidth - Margin - SignatureWidth;
                line(Margin, SignatureWidth, y);
                line(right, SignatureWidth, y);
                font(8, false);
                painter->drawText(QRectF(px(Margin), px(y), px(SignatureWidth), px(captionHeight)), Qt::AlignCenter,
                                  QStringLiteral("Miejscowość, data"));
                painter->drawText(QRectF(px(right), px(y), px(SignatureWidth), px(captionHeight)), Qt::AlignCenter,
                                  QStringLiteral("Podpis wędkarza"));
            }
            y += captionHeight;
            continue;
        }
        if (block.kind == Block::Kind::Text) {
            const double height = block.pointSize * 25.4 / 72 * 1.6;
            // A heading never ends a page alone.
            if (y + height + 2 * RowHeight > bottom)
                breakPage();
            if (painter) {
                font(block.pointSize, block.bold);
                painter->setPen(Qt::black);
                painter->drawText(QRectF(px(Margin), px(y), px(PageWidth - 2 * Margin), px(height)),
                                  Qt::AlignLeft | Qt::AlignVCenter, block.text);
            }
            y += height + 1;
            continue;
        }
        QStringList titles;
        for (const Column &c : block.columns)
            titles << c.title;
        if (!row(block.columns, titles, true, false)) {
            breakPage();
            row(block.columns, titles, true, false);
        }
        for (size_t r = 0; r < block.rows.size(); ++r) {
            const bool bold = int(r) == block.totalRow;
            if (!row(block.columns, block.rows[r], false, bold)) {
                // A table going on over a page repeats its heading row.
                breakPage();
                row(block.columns, titles, true, false);
                row(block.columns, block.rows[r], false, bold);
            }
        }
        y += 4;
    }
    footer();
    return page;
}

constexpr double MmPerInch = 25.4;
} // namespace

namespace CatchRegisterPdf {

QList<std::pair<QString, QString>> Fields(const CatchRegister &reg, const Heading &heading)
{
    return {{QStringLiteral("Imię i nazwisko wędkarza:"), heading.angler.trimmed()},
            {QStringLiteral("Zezwolenie (okręg, rodzaj):"), heading.permit.trimmed()},
            {QStringLiteral("Numer zezwolenia:"), heading.number.trimmed()},
            {QStringLiteral("Rok:"), QString::number(reg.year)}};
}

bool Write(const QString &path, const CatchRegister &reg, const Heading &heading, QString *error)
{
    const std::vector<Block> blocks = Blocks(reg, heading);
    const int pages = Layout(blocks, nullptr, 1, 0, {});
    CheckedFile file(path);
    {
        QPdfWriter writer(file.Device());
        writer.setResolution(300);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        writer.setTitle(QStringLiteral("Rejestr połowów ryb %1").arg(reg.year));
        writer.setCreator(QStringLiteral("Rybowid"));
        QPainter painter(&writer);
        Layout(blocks, &painter, writer.resolution() / MmPerInch, pages, [&writer] { writer.newPage(); });
    }
    if (file.Commit())
        return true;
    if (error)
        *error = file.Error();
    return false;
}

QList<QImage> Pages(const CatchRegister &reg, const Heading &heading, int dpi)
{
    const std::vector<Block> blocks = Blocks(reg, heading);
    const int pages = Layout(blocks, nullptr, 1, 0, {});
    const double dotsPerMm = dpi / MmPerInch;
    const QSize size(int(PageWidth * dotsPerMm), int(PageHeight * dotsPerMm));
    QList<QImage> images;
    auto start = [&] {
        images << QImage(size, QImage::Format_RGB32);
        images.last().fill(Qt::white);
    };
    start();
    // One painter moves from page to page: the layout holds on to it.
    QPainter painter(&images.last());
    Layout(blocks, &painter, dotsPerMm, pages, [&] {
        painter.end();
        start();
        painter.begin(&images.last());
    });
    painter.end();
    return images;
}

} // namespace CatchRegisterPdf
