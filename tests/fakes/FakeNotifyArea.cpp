#include "FakeNotifyArea.h"

bool FakeNotifyArea::notify(Command command, const TrayIconRecord &record)
{
    const bool same = icon && icon->hWnd == record.hWnd && icon->uID == record.uID;
    bool ok = false;
    switch (command) {
    case Add:
        ok = !same;
        if (ok)
            icon = record;
        break;
    case Modify:
        ok = same;
        if (ok)
            icon = record;
        break;
    case Delete:
        ok = same;
        if (ok)
            icon.reset();
        break;
    }
    calls.append({command, record, ok});
    return ok;
}
