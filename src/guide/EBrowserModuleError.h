#pragma once

#include "guide/EBrowserError.h"

// The browser module, which brings the web engine, cannot be loaded: the installation is
// broken, not the page, so the viewer tells the user instead of staying silent.
class EBrowserModuleError : public EBrowserError
{
public:
    using EBrowserError::EBrowserError;
};
