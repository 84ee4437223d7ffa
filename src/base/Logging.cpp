#include "base/Logging.h"

Q_LOGGING_CATEGORY(lcData, "rybowid.data", QtWarningMsg)
