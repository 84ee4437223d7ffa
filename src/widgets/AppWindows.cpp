#include "widgets/AppWindows.h"

AppWindows &Windows()
{
    static AppWindows windows;
    return windows;
}
