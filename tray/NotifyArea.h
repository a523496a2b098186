#pragma once

#include "tray/TrayIconRecord.h"

#include <functional>

// The desktop's notification area, taking the icon record as the platform's call does.
class NotifyArea
{
public:
    enum Command { Add = 0, Modify = 1, Delete = 2 };
    // The mouse messages the icon reports, as the window's mouse-move decoding knows them.
    enum MouseMessage {
        LeftButtonDown = 0x201,
        LeftButtonDoubleClick = 0x203,
        RightButtonDown = 0x204,
        MiddleButtonDown = 0x207
    };

    virtual ~NotifyArea() = default;
    // Adds, changes or removes the record's icon. Add fails for an icon already there;
    // modify and delete fail for one that was never added.
    virtual bool notify(Command command, const TrayIconRecord &record) = 0;
    // Answers whether an icon is added and a notification area is there to show it. The answer
    // may come later, once a tray host has answered over the bus; a host that does not answer in
    // half a second counts as none. An area destroyed meanwhile never answers.
    virtual void askIconShown(std::function<void(bool shown)> answer) = 0;
};
