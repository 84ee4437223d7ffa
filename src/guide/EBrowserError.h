#pragma once

#include "base/Exception.h"

// A browser operation the embedded web view refused: no page to go back or forward to,
// nothing shown to print or copy from, a print still running.
class EBrowserError : public Exception
{
public:
    using Exception::Exception;
};
