#pragma once

#include <QLoggingCategory>

// The data layer's debug lines ("loading sqlite lib", each fetched statement).
Q_DECLARE_LOGGING_CATEGORY(lcData)
