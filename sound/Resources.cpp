#include "sound/Resources.h"

#include "toolkit/UserError.h"

#include <QFile>

QByteArray EmbeddedResources::load(int id, const QString &type) const
{
    // rcc may compress a resource; QFile hands back the bytes as they were.
    QFile file(QStringLiteral(":/%1/%2").arg(type).arg(id));
    if (!file.open(QIODevice::ReadOnly))
        throw UserError(QStringLiteral("The program's resource %1 of type %2 is missing.").arg(id).arg(type));
    return file.readAll();
}
