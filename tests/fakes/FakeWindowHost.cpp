#include "FakeWindowHost.h"

void FakeWindowHost::show()
{
    visible = true;
    ++shows;
}

int FakeWindowHost::popupMenu(const std::vector<const MenuItem *> &items)
{
    QStringList captions;
    for (const MenuItem *item : items)
        captions << (item->bold ? QStringLiteral("*") : QString()) + item->text;
    menus << captions;
    return menuChoice;
}
