#include "FakeNotifyArea.h"

namespace {

// What a notification area takes from a record: its name always, the picture and the tooltip
// only where the flags say so.
void take(TrayIconRecord &shown, const TrayIconRecord &record)
{
    shown.hWnd = record.hWnd;
    shown.uID = record.uID;
    shown.uFlags = record.uFlags;
    if (record.uFlags & TrayIconRecord::Icon)
        shown.hIcon = record.hIcon;
    if (record.uFlags & TrayIconRecord::Tip)
        shown.szTip = record.szTip;
}

} // namespace

bool FakeNotifyArea::notify(Command command, const TrayIconRecord &record)
{
    const bool same = icon && icon->hWnd == record.hWnd && icon->uID == record.uID;
    bool ok = false;
    switch (command) {
    case Add:
        ok = !same;
        if (ok) {
            icon = TrayIconRecord{};
            icon->hIcon = -1; // no picture until one is given
            take(*icon, record);
        }
        break;
    case Modify:
        ok = same;
        if (ok)
            take(*icon, record);
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
