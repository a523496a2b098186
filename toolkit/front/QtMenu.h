#pragma once

#include "toolkit/Controls.h"

#include <QMenu>
#include <functional>
#include <vector>

// Fills a menu with the items: a caption "-" is a separator, a bold item the default. A choice
// calls chosen with the item's index in items.
void fillMenu(QMenu &menu, const std::vector<const MenuItem *> &items, const std::function<void(int index)> &chosen);
