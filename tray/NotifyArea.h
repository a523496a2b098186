#pragma once

#include "tray/TrayIconRecord.h"

// The desktop's notification area, taking the icon record as the platform's call does.
class NotifyArea
{
public:
    enum Command { Add = 0, Modify = 1, Delete = 2 };

    virtual ~NotifyArea() = default;
    // Adds, changes or removes the record's icon. Add fails for an icon already there;
    // modify and delete fail for one that was never added.
    virtual bool notify(Command command, const TrayIconRecord &record) = 0;
    // An icon is added and a notification area is there to show it, now.
    virtual bool iconShown() const = 0;
};
