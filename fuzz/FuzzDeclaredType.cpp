// The declared-type parser: any declared type gives a field of a sane kind and size, and
// a result of such fields either fits or is refused with the data layer's error.
#include "data/DbErrors.h"
#include "data/FieldInfo.h"
#include "data/TResultRows.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString declared = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const FieldInfo info = GetFieldInfo(declared);
    if (info.type == TFieldType::ftString && info.size <= 0)
        std::abort();
    if (info.size < 0 || info.precision < 0)
        std::abort();

    TResultRows rows;
    try {
        for (int i = 0; i < 3; ++i)
            rows.DefineField(QStringLiteral("f%1").arg(i), declared, {});
        rows.CheckRowFits();
    } catch (const EDataLayerError &) {
        return 0;
    }
    if (rows.FieldCount() != 3 || rows.rowWidth <= 0)
        std::abort();
    return 0;
}
