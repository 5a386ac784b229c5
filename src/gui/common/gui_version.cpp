#include "gui/common/gui_version.h"

#include <QtGlobal>

namespace kinoval::gui {

QString RunningQtVersion()
{
    return QString::fromLatin1(qVersion());
}

} // namespace kinoval::gui
