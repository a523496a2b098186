#include "FakeWindowHost.h"

void FakeWindowHost::show(Showing how)
{
    visible = true;
    showings << how;
}

void FakeWindowHost::popupMenu(const std::vector<const MenuItem *> &items)
{
    QStringList captions;
    for (const MenuItem *item : items)
        captions << (item->bold ? QStringLiteral("*") : QString()) + item->text;
    menus << captions;
}
