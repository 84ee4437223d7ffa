#pragma once

#include "widgets/TNavigateBtn.h"

#include <QIcon>

// The small pictures of the data controls, drawn rather than shipped as files so that
// they stay sharp at any screen scale.
namespace DataGlyphs {

enum class RowMark { None, Current, Edit, Insert };

QIcon NavigatorGlyph(TNavigateBtn button);
QIcon RowIndicator(RowMark mark);

} // namespace DataGlyphs
