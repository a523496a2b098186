#include "toolkit/Controls.h"

QString ComboBox::selectedText() const
{
    return listIndex >= 0 && listIndex < items.size() ? items[listIndex] : QString();
}

bool ComboBox::selectText(const QString &itemText)
{
    const qsizetype index = items.indexOf(itemText);
    if (index < 0)
        return false;
    listIndex = static_cast<int>(index);
    return true;
}
