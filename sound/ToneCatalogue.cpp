#include "sound/ToneCatalogue.h"

#include "toolkit/UserError.h"

namespace ToneCatalogue {

QString caption(int index)
{
    static const char *const captions[Count] = {
        "[1] Leonardo Vinci Default", "[2] Jungle Asterisk",          "[3] Inside Computer Asterisk",
        "[4] Inside Computer Beep",   "[5] Leonardo Vinci Restore",   "[6] Musica Minimize",
        "[7] UnderWater Pop-up",      "[8] Select your own wav file",
    };
    if (index < 0 || index >= Count)
        throw UserError(QStringLiteral("There is no tone number %1.").arg(index + 1));
    return QString::fromLatin1(captions[index]);
}

qint16 resourceId(int index)
{
    if (index < 0 || index >= OwnFile)
        throw UserError(QStringLiteral("Tone number %1 is not a built-in tone.").arg(index + 1));
    return static_cast<qint16>(index + 100);
}

} // namespace ToneCatalogue
