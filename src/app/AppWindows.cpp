#include "app/AppWindows.h"

AppWindows &Windows()
{
    static AppWindows windows;
    return windows;
}
