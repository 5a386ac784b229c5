#pragma once
// The model commands of the results window: the eight model buttons of the time and formula pages, the
// "Modifier la courbe du modèle" tool, "Copier le modèle" and the "Modificateur du modèle" menu.
//
// A model button lays its model over every curve of the page in view, fits it at once and takes the
// modify-model tool, so that the modeller panel shows its equation and its step buttons. The tool leaves
// the pan and zoom tools, and they leave it. The menu says whether the panel shows the equation, the
// statistics or both; with neither it never shows.

#include <QObject>

#include <vector>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

namespace kinoval {

class TResGraphPages;

class TResModelCommands : public QObject {
    Q_OBJECT
public:
    // Adds its actions to the window: a tool bar of the models and their tool, the copy to the edit menu
    // and the modeller's menu to the display menu. The graph tools' pan and zoom leave the model tool.
    TResModelCommands(QMainWindow& window, TResGraphPages& pages, QMenu& edit, QMenu& display, QToolBar& graphTools);
    ~TResModelCommands() override;

    // Enables what the page in view allows. The model bar shows on every graph page, as the graph tools
    // do, so that going from one to another never changes the room the graph has.
    void Update(bool graphPageShown, bool graphPage);
    bool ShowEquation() const;
    bool ShowStatistics() const;
    // Whether the modify-model tool is the one pressed.
    bool ToolChosen() const;
    // Lays a model over the curves of the page in view (9: takes it away), as its button does.
    void ChooseModel(int code);
    // The model text of the model being adjusted (or of the first one) to the clipboard; false: none.
    bool CopyModel();

    QToolBar* ModelBar() const { return m_bar; }
    QAction* Tool() const { return m_tool; }

private:
    void ToolToggled(bool on);

    QMainWindow& m_window;
    TResGraphPages& m_pages;
    QToolBar* m_bar = nullptr;
    std::vector<QAction*> m_models;
    QAction* m_none = nullptr;
    QAction* m_tool = nullptr;
    QAction* m_copy = nullptr;
    QMenu* m_menu = nullptr;
    QAction* m_equation = nullptr;
    QAction* m_statistics = nullptr;
    std::vector<QAction*> m_otherTools;
    bool m_graphPageShown = false;
    bool m_graphPage = false;
};

} // namespace kinoval
