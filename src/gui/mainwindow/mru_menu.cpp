#include "gui/mainwindow/mru_menu.h"

#include "core/settings/mru_files.h"

#include <QAction>
#include <QMenu>

namespace kinoval {

void RebuildRecentFilesMenu(QMenu& menu, const TMRUFiles& mru)
{
    menu.clear();
    const auto entries = mru.MenuEntries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto& entry = entries[i];
        if (entry.number == 0) {
            menu.addSeparator();
            continue;
        }
        // An "&" in a file name is doubled, or the menu would take it for a shortcut mark and hide it.
        QString path = QString::fromStdString(entry.path).replace(QLatin1Char('&'), QStringLiteral("&&"));
        QString caption = mru.Numbered ? QStringLiteral("&%1 %2").arg(entry.number).arg(path) : path;
        QAction* action = menu.addAction(caption);
        action->setData(QString::fromStdString(entry.path));
        QObject::connect(action, &QAction::triggered, &menu, [&mru, i] { mru.Click(i); });
    }
}

} // namespace kinoval
