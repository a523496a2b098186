#pragma once

#include <QString>
#include <QtGlobal>

// The tones a person can pick: the built-in wave resources, then the user's own file, the last.
namespace ToneCatalogue {

constexpr int Count = 8;
constexpr int OwnFile = 7;
// Chosen at start-up, and what rings when the own file cannot be played.
constexpr int DefaultTone = 4;

// The caption of a tone's label: "[n] ..." with n = index + 1.
QString caption(int index);

// The wave resource id of a built-in tone (index + 100); only for those before OwnFile.
qint16 resourceId(int index);

} // namespace ToneCatalogue
