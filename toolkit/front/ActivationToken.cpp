#include "toolkit/front/ActivationToken.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr char Name[] = "XDG_ACTIVATION_TOKEN=";
// The environment holds this buffer itself (putenv): a new token is written over the old one.
char entry[sizeof Name + MaxActivationTokenBytes];

} // namespace

bool isActivationToken(const QString &token)
{
    return !token.isEmpty() && token.size() <= MaxActivationTokenBytes && !token.contains(QChar(0));
}

void useActivationToken(const QString &token)
{
    if (!isActivationToken(token))
        return;
    const QByteArray bytes = token.toUtf8();
    if (bytes.size() > MaxActivationTokenBytes)
        return;
    std::snprintf(entry, sizeof entry, "%s%s", Name, bytes.constData());
    // Qt unsets it once used; put again, the environment points at the same buffer.
    putenv(entry);
}
