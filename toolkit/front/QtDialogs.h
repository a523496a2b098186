#pragma once

#include "toolkit/Dialogs.h"

#include <functional>

class QDialog;
class QWidget;

// The modal boxes as Qt draws them. Every text is shown as plain text, so the user's own
// words never turn into markup.
class QtDialogs : public Dialogs
{
public:
    // beforeModal runs just before a box opens, so the window behind it is up to date.
    QtDialogs(QWidget *parent, std::function<void()> beforeModal);

    int messageBox(const QString &text, int style) override;
    std::optional<QString> inputBox(const QString &prompt) override;
    std::optional<QString> openFile(const QString &folder, const QString &filterLabel, const QString &pattern) override;

private:
    int runModal(QDialog &box) const;

    QWidget *m_parent;
    std::function<void()> m_beforeModal;
};
