#include "gui/dialogs/help_window.h"

#include "core/common/texts.h"
#include "gui/common/qt_text.h"

#include <QAction>
#include <QFileInfo>
#include <QKeySequence>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

namespace kinoval::gui {

namespace {

} // namespace

THelpWindow::THelpWindow(QWidget* parent)
    : QMainWindow(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpForm"));
    setWindowTitle(T("Aide de Kinoval"));
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setAccessibleName(T("Page d'aide"));
    m_browser->setOpenExternalLinks(true);
    setCentralWidget(m_browser);

    QToolBar* bar = addToolBar(T("Navigation"));
    bar->setObjectName(QStringLiteral("ToolBarAide"));
    bar->setMovable(false);
    QAction* back = bar->addAction(QIcon::fromTheme(QStringLiteral("go-previous")), T("Précédente"));
    back->setObjectName(QStringLiteral("HelpBack"));
    back->setShortcut(QKeySequence::Back);
    connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    back->setEnabled(false);
    QAction* home = bar->addAction(QIcon::fromTheme(QStringLiteral("go-home")), T("Sommaire"));
    home->setObjectName(QStringLiteral("HelpHome"));
    connect(home, &QAction::triggered, m_browser, &QTextBrowser::home);
    QAction* close = new QAction(T("Fermer"), this);
    close->setShortcut(QKeySequence::Close);
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);
    resize(760, 680);
}

bool THelpWindow::ShowFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return false;
    m_browser->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
    return !m_browser->toPlainText().isEmpty();
}

} // namespace kinoval::gui
