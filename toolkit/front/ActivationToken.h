#pragma once

#include <QString>

// The token of the user's act (a click on the notification, a second start) that lets a window
// take the focus on Wayland. A token is tens of bytes: anything much longer is not one.
constexpr qsizetype MaxActivationTokenBytes = 1024;
bool isActivationToken(const QString &token);

// Hands the token to Qt's Wayland platform, which takes it from the environment when it next
// activates a window. Only the latest is kept: setenv would keep every distinct value for the
// life of the process. Not a token: nothing changes.
void useActivationToken(const QString &token);
