#pragma once

#include <QString>
#include <functional>

// The few notices the data layer shows without failing ("no query specified", "no table
// specified"). The shell routes them to a message box; until then they are logged.
void ShowDataLayerMessage(const QString &text);
void SetDataLayerMessageHandler(std::function<void(const QString &)> handler);
