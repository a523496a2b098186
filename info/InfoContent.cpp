#include "info/InfoContent.h"

#include "toolkit/UserError.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QStringList strings(const QJsonValue &value)
{
    QStringList out;
    for (const QJsonValue &v : value.toArray())
        out << v.toString();
    return out;
}

} // namespace

InfoContent InfoContent::embedded()
{
    QFile file(QStringLiteral(":/info/catalogue.json"));
    if (!file.open(QIODevice::ReadOnly))
        throw UserError(QStringLiteral("The program information is missing from the program."));
    return fromJson(file.readAll());
}

InfoContent InfoContent::fromJson(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonObject root = QJsonDocument::fromJson(json, &error).object();
    if (error.error != QJsonParseError::NoError)
        throw UserError(QStringLiteral("The program information cannot be read: %1.").arg(error.errorString()));

    InfoContent c;
    c.imageKeys = strings(root.value(QStringLiteral("imageList")));
    for (const QJsonValue &v : root.value(QStringLiteral("catalogue")).toArray()) {
        const QJsonObject e = v.toObject();
        c.catalogue.append(
            {e.value(QStringLiteral("title")).toString(), strings(e.value(QStringLiteral("paragraphs")))});
    }
    for (const QJsonValue &v : root.value(QStringLiteral("featured")).toArray()) {
        const QJsonObject f = v.toObject();
        c.featured.append({f.value(QStringLiteral("entry")).toInt(), f.value(QStringLiteral("version")).toString(),
                           f.value(QStringLiteral("summary")).toString(),
                           f.value(QStringLiteral("slogan")).toString()});
    }
    c.portraitCaptions = strings(root.value(QStringLiteral("portraits")));
    c.authorsParagraphs = strings(root.value(QStringLiteral("authors")));
    c.homepagesParagraphs = strings(root.value(QStringLiteral("homepages")));

    // Every title must have its picture in the image list: a gap is a fault of the data.
    if (c.catalogue.size() != CatalogueSize || c.featured.size() != 2 || c.portraitCaptions.size() != 3)
        throw UserError(QStringLiteral("The program information is incomplete."));
    for (const Entry &e : c.catalogue)
        if (!c.imageKeys.contains(e.title))
            throw UserError(QStringLiteral("The program information has no picture for \"%1\".").arg(e.title));
    return c;
}
