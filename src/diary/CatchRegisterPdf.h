#pragma once

#include "diary/CatchRegister.h"

#include <QDate>
#include <QImage>
#include <QList>
#include <QString>

// The yearly register printed the way the paper form is laid out: A4, a heading with
// the year and the permit, the lines by date, the totals per species and per water, and
// "Strona n z m" at the foot of each page. Painted alike on a PDF and on images.
namespace CatchRegisterPdf {

struct Heading
{
    // The permit's name, or empty.
    QString permit;
    // The day the register is made on: a year not over yet is said to be so.
    QDate today;
};

// Writes the PDF whole or not at all; false with the reason in error.
bool Write(const QString &path, const CatchRegister &reg, const Heading &heading, QString *error);
// The pages as pictures at the given resolution, the same layout as the PDF.
QList<QImage> Pages(const CatchRegister &reg, const Heading &heading, int dpi);

} // namespace CatchRegisterPdf
