#pragma once
// TBoiteFormules: the formulas window, in which the user formulas and constants are typed, changed and
// their values read.
//
// The formula table shows the time and one column per formula over the rows of the current mark set's
// results, with its control line (digits, hiding, the right button deleting); its header lines and its
// last column take typing, as does the entry line above it. The constants table lies below, with the help
// panes beside it. The menus hand the formula table over as the results window hands its table.
//
// The window borrows the formulas and the program-wide services. It does not compute: before it shows
// values it asks its owner (the results window) to bring the results and the formulas up to date
// (refresh). Every edit is judged by the formulas, and what was refused or could not be computed is told
// through the message dialog.

#include "core/formulas/formula_grid.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <string>

class QAction;
class QLineEdit;
class QPushButton;
class QTableView;

namespace kinoval {

class TConstantGridModel;
class TCustomUserDlg;
class TFormulaGridModel;
class TFormulaGridView;
class TOptions;
class TServeur;
class TTableHandOver;

struct TBoiteFormulesParts {
    formulas::TFormules& formules;
    TServeur& serveur;
    const TOptions& options;
    TCustomUserDlg& dialog;
};

class TBoiteFormules : public QMainWindow {
    Q_OBJECT
public:
    explicit TBoiteFormules(const TBoiteFormulesParts& parts, QWidget* parent = nullptr);
    ~TBoiteFormules() override;

    // Brings the results and the formulas up to date; set by the owner.
    std::function<void()> refresh;
    std::function<void()> openCalculator;
    std::function<void()> openKeyboard;
    // After every change of the lists made here (the study then has changes to save).
    std::function<void()> changed;

    // Shows the window in front with fresh values.
    void Open();
    // Brings the values up to date and shows them.
    void Reload();
    // Shows the formulas as they are now (after a computation).
    void ShowValues();
    // The settings changed: the numbering, the hidden edges, whether the formulas may be changed.
    void ApplyOptions();

    // A formula typed elsewhere (the keyboard); answers whether it was kept.
    bool AddFormula(const std::string& text, const std::string& comment, const std::string& unit);

    void SetProgramPath(const std::string& path);

    formulas::TFormulaGrid& FormulaGrid() { return m_formulaGrid; }
    formulas::TConstantGrid& ConstantGrid() { return m_constantGrid; }
    TFormulaGridView* FormulaView() const { return m_formulaView; }
    QTableView* ConstantView() const { return m_constantView; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildMenus();
    QWidget* BuildFormulaPane();
    QWidget* BuildConstantPane();
    QWidget* BuildHelpPanes();
    // Tells the user what became of an edit; true when it was kept.
    bool Tell(const formulas::TEditOutcome& outcome);
    void AddTypedFormula();
    void AddTypedConstant();
    void DeleteCurrentConstant();
    void Refit();

    TBoiteFormulesParts m_parts;
    formulas::TFormulaGrid m_formulaGrid;
    formulas::TConstantGrid m_constantGrid;
    std::unique_ptr<TTableHandOver> m_handOver;
    TFormulaGridModel* m_formulaModel = nullptr;
    TConstantGridModel* m_constantModel = nullptr;
    TFormulaGridView* m_formulaView = nullptr;
    QTableView* m_constantView = nullptr;
    QLineEdit* m_newFormula = nullptr;
    QLineEdit* m_newUnit = nullptr;
    QLineEdit* m_newComment = nullptr;
    QPushButton* m_addFormula = nullptr;
    QLineEdit* m_constName = nullptr;
    QLineEdit* m_constValue = nullptr;
    QLineEdit* m_constUnit = nullptr;
    QPushButton* m_addConstant = nullptr;
};

} // namespace kinoval
