#pragma once

#include "toolkit/Controls.h"

#include <QMenu>
#include <vector>

// Fills a menu with the items: a caption "-" is a separator, a bold item the default. Returns
// each item's action, in the items' order.
std::vector<QAction *> fillMenu(QMenu &menu, const std::vector<const MenuItem *> &items);
