#pragma once
// THelpWindow: the help pages in a window of the program's own, for a desktop that has no browser
// registered for HTML. A text browser over the installed pages: links between them are followed inside
// the window, links to the web go to the desktop.

#include <QMainWindow>

class QTextBrowser;

namespace kinoval::gui {

class THelpWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit THelpWindow(QWidget* parent = nullptr);

    // Shows the page; false when it cannot be read.
    bool ShowFile(const QString& path);

private:
    QTextBrowser* m_browser = nullptr;
};

} // namespace kinoval::gui
