#include "toolkit/front/QtMenu.h"

void fillMenu(QMenu &menu, const std::vector<const MenuItem *> &items, const std::function<void(int index)> &chosen)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        const MenuItem *item = items[i];
        QAction *action = item->text == QStringLiteral("-") ? menu.addSeparator() : menu.addAction(item->text);
        action->setEnabled(item->enabled);
        action->setVisible(item->visible);
        if (item->bold) {
            QFont bold = action->font();
            bold.setBold(true);
            action->setFont(bold);
            menu.setDefaultAction(action);
        }
        QObject::connect(action, &QAction::triggered, &menu, [chosen, i] {
            if (chosen)
                chosen(int(i));
        });
    }
}
