#include "app/Startup.h"
#include "app/TApplication.h"
#include "app/UserDataSetup.h"

int main(int argc, char *argv[])
{
    PrepareWebEngine();
    TApplication app(argc, argv);
    InitApplication(app);
    PrepareUserData();
    CreateWindows();
    const int result = RunApplication();
    DestroyWindows();
    return result;
}
