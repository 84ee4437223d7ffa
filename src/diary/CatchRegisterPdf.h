#pragma once

#include "diary/CatchRegister.h"

#include <QDate>
#include <QImage>
#include <QList>
#include <QString>
#include <utility>

// The yearly register printed as a form to hand in, the way the paper form is laid out:
// A4, a heading with the angler, the permit and the year, the lines by date, the totals
// per species and per water, lines for the place, date and signature at the end, and
// "Strona n z m" at the foot of each page. Painted alike on a PDF and on images.
namespace CatchRegisterPdf {

struct Heading
{
    // The angler, the permit as the angler calls it (its district and kind) and its
    // number; one left empty is printed as a line to fill in by hand.
    QString angler;
    QString permit;
    QString number;
    // The day the register is made on: a year not over yet is said to be so.
    QDate today;
};

// The heading's fields as the form prints them, caption and value; the year last.
QList<std::pair<QString, QString>> Fields(const CatchRegister &reg, const Heading &heading);

// Writes the PDF whole or not at all; false with the reason in error.
bool Write(const QString &path, const CatchRegister &reg, const Heading &heading, QString *error);
// The pages as pictures at the given resolution, the same layout as the PDF.
QList<QImage> Pages(const CatchRegister &reg, const Heading &heading, int dpi);

} // namespace CatchRegisterPdf
