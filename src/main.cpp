#include "app/Startup.h"
#include "app/TApplication.h"

int main(int argc, char *argv[])
{
    PrepareWebEngine();
    TApplication app(argc, argv);
    InitApplication(app);
    CreateWindows();
    const int result = RunApplication();
    DestroyWindows();
    return result;
}
