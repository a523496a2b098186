#pragma once

#include <QByteArray>
#include <QString>

// The program's own resources by id and type name, read back whole.
class Resources
{
public:
    virtual ~Resources() = default;
    // Throws UserError when there is no such resource.
    virtual QByteArray load(int id, const QString &type) const = 0;
};

// Resources compiled into the program with Qt's resource system, at ":/<type>/<id>".
class EmbeddedResources : public Resources
{
public:
    QByteArray load(int id, const QString &type) const override;
};
