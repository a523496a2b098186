#include "toolkit/front/QtMenu.h"

std::vector<QAction *> fillMenu(QMenu &menu, const std::vector<const MenuItem *> &items)
{
    std::vector<QAction *> actions;
    for (const MenuItem *item : items) {
        QAction *action = item->text == QStringLiteral("-") ? menu.addSeparator() : menu.addAction(item->text);
        action->setEnabled(item->enabled);
        action->setVisible(item->visible);
        if (item->bold) {
            QFont bold = action->font();
            bold.setBold(true);
            action->setFont(bold);
            menu.setDefaultAction(action);
        }
        actions.push_back(action);
    }
    return actions;
}
