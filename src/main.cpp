#include "app/Startup.h"
#include "app/TApplication.h"
#include "app/UserDataSetup.h"

#include <QLockFile>

int main(int argc, char *argv[])
{
    PrepareWebEngine();
    TApplication app(argc, argv);
    InitApplication(app);
    const auto lock = LockDataFolder();
    if (!lock)
        return 0;
    PrepareUserData();
    CreateWindows();
    const int result = RunApplication();
    DestroyWindows();
    return result;
}
