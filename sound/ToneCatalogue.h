#pragma once

#include <QString>
#include <QtGlobal>

// The eight tones a person can pick. 0 to 6 are built-in wave resources, 7 the user's own file.
namespace ToneCatalogue {

constexpr int Count = 8;
constexpr int OwnFile = 7;
// Chosen at start-up, and what rings when the own file cannot be played.
constexpr int DefaultTone = 4;

// The caption of a tone's label: "[n] ..." with n = index + 1.
QString caption(int index);

// The wave resource id of a built-in tone (index + 100); only for 0 to 6.
qint16 resourceId(int index);

} // namespace ToneCatalogue
