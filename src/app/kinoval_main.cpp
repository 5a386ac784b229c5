// kinoval: the program. Builds the program-wide objects in order and runs the event loop.
#include "core/common/version.h"

#include <QApplication>
#include <QLabel>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("%s %s\n", kinoval::kProductName, kinoval::kVersion);
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(kinoval::kProductName);
    QApplication::setApplicationVersion(kinoval::kVersion);
    QLabel label(QStringLiteral("%1 %2").arg(kinoval::kProductName, kinoval::kVersion));
    label.setMinimumSize(480, 320);
    label.setAlignment(Qt::AlignCenter);
    label.show();
    return QApplication::exec();
}
