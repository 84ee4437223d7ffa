#include "diary/CatchRegisterPdf.h"

#include "base/CheckedFile.h"
#include "diary/CatchLog.h"

#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <functional>

namespace {
// A4 in millimetres, and the margins of the printed area.
constexpr double PageWidth = 210, PageHeight = 297, Margin = 15, FooterHeight = 8;
constexpr double RowHeight = 6.2, TextPadding = 1.5;

struct Column
{
    QString title;
    double width;
    Qt::Alignment align = Qt::AlignLeft;
};

struct Block
{
    // A paragraph when columns is empty, else a table with a heading row.
    QString text;
    int pointSize = 10;
    bool bold = false;
    std::vector<Column> columns;
    std::vector<QStringList> rows;
    // The index of a row printed in bold (the table's total), or -1.
    int totalRow = -1;
};

QString Kg(double value)
{
    return CatchLog::NumberText(value);
}

std::vector<Block> Blocks(const CatchRegister &reg, const CatchRegisterPdf::Heading &heading)
{
    std::vector<Block> blocks;
    blocks.push_back({QStringLiteral("Rejestr połowów ryb – rok %1").arg(reg.year), 16, true, {}, {}, -1});
    if (!heading.permit.trimmed().isEmpty())
        blocks.push_back({QStringLiteral("Zezwolenie: %1").arg(heading.permit.trimmed()), 10, false, {}, {}, -1});
    if (reg.year >= heading.today.year())
        blocks.push_back({QStringLiteral("Rok %1 jeszcze trwa: rejestr obejmuje połowy zapisane do dnia %2.")
                              .arg(reg.year)
                              .arg(heading.today.toString(Qt::ISODate)),
                          10,
                          true,
                          {},
                          {},
                          -1});
    blocks.push_back(
        {QStringLiteral("Ryby zabrane z łowiska, według dziennika połowów programu Rybowid."), 9, false, {}, {}, -1});

    Block lines;
    lines.columns = {{QStringLiteral("Lp."), 10, Qt::AlignRight},
                     {QStringLiteral("Data"), 24},
                     {QStringLiteral("Łowisko"), 50},
                     {QStringLiteral("Nr łowiska"), 20},
                     {QStringLiteral("Gatunek"), 34},
                     {QStringLiteral("Liczba szt."), 22, Qt::AlignRight},
                     {QStringLiteral("Waga (kg)"), 20, Qt::AlignRight}};
    int number = 0;
    for (const CatchRegister::Line &l : reg.lines)
        lines.rows.push_back(
            {QString::number(++number), l.day, l.water, l.number, l.species, QString::number(l.count), Kg(l.weight)});
    if (reg.lines.empty())
        lines.rows.push_back({QString(), QString(), QStringLiteral("Brak zabranych ryb w tym roku")});
    blocks.push_back(lines);

    blocks.push_back({QStringLiteral("Razem według gatunków"), 12, true, {}, {}, -1});
    Block species;
    species.columns = {{QStringLiteral("Gatunek"), 138},
                       {QStringLiteral("Liczba szt."), 22, Qt::AlignRight},
                       {QStringLiteral("Waga (kg)"), 20, Qt::AlignRight}};
    for (const CatchRegister::Total &t : reg.bySpecies)
        species.rows.push_back({t.name, QString::number(t.count), Kg(t.weight)});
    species.totalRow = int(species.rows.size());
    species.rows.push_back({QStringLiteral("Razem"), QString::number(reg.count), Kg(reg.weight)});
    blocks.push_back(species);

    blocks.push_back({QStringLiteral("Razem według łowisk"), 12, true, {}, {}, -1});
    Block waters;
    waters.columns = {{QStringLiteral("Łowisko"), 118},
                      {QStringLiteral("Nr łowiska"), 20},
                      {QStringLiteral("Liczba szt."), 22, Qt::AlignRight},
                      {QStringLiteral("Waga (kg)"), 20, Qt::AlignRight}};
    for (const CatchRegister::Total &t : reg.byWater)
        waters.rows.push_back({t.name.isEmpty() ? QStringLiteral("(bez nazwy)") : t.name, t.number,
                               QString::number(t.count), Kg(t.weight)});
    waters.totalRow = int(waters.rows.size());
    waters.rows.push_back({QStringLiteral("Razem"), QString(), QString::number(reg.count), Kg(reg.weight)});
    blocks.push_back(waters);
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

    for (const Block &block : blocks) {
        if (block.columns.empty()) {
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
