#pragma once

#include "base/Exception.h"

// Misuse of the data layer: a missing property, a library that cannot be loaded, a filter
// that fails, an unsupported field kind.
class EDataLayerError : public Exception
{
public:
    using Exception::Exception;
};

// Failures reported by the engine or the file, and dataset errors ("No Records",
// "Field 'x' not found", "Dataset not in edit or insert mode").
class EDatabaseError : public Exception
{
public:
    using Exception::Exception;
};
