#pragma once

#include <QString>

// The text a person reads for a message raised below the views. The data layer and the
// engine speak English (the data layer's texts are part of its interface, and the
// engine's come from the library); each known text is a source text of the "Messages"
// context, translated through the application's translators, and the engine's common
// failures become sentences that say what to do. Unknown texts pass unchanged.
QString UserText(const QString &message);
