#pragma once
// TClavierForm: the formula keyboard ("Aide à la saisie"), over core's TClavier.
//
// Two pages: the formula, with its pad and the favourite formulas; the comment and the unit, each with its
// favourites. The formula field is core's, as in the calculator: the pad writes at its caret and the window
// shows it again. Validating (the "Valider la saisie" key or Enter) hands the formula, the comment and the
// unit to the owner through OnValidate, which judges them as a formula typed in the formulas table. The
// favourites are read from the settings file when the window is made and written back after every change,
// so that a program stopped short keeps them.

#include "core/formulas/clavier.h"

#include <QDialog>

#include <functional>
#include <string>

class QComboBox;
class QLineEdit;
class QTabWidget;
class QToolButton;

namespace kinoval {

struct TPadKey;

class TClavierForm : public QDialog {
    Q_OBJECT
public:
    // settingsPath: the settings file that keeps the favourites; empty, they live as long as the window.
    explicit TClavierForm(std::string settingsPath, QWidget* parent = nullptr);

    formulas::TClavier& Clavier() { return m_clavier; }
    // The fields as typed: the formula, the comment and the unit.
    std::string FormulaText() const;
    std::string CommentText() const;
    std::string UnitText() const;
    // Called with the three fields when a formula is validated; answers whether it was kept (the
    // fields are then emptied for the next one).
    std::function<bool(const std::string& formula, const std::string& comment, const std::string& unit)> OnValidate;

    void Open();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* MakeFormulaPage();
    QWidget* MakeTextsPage();
    // One favourites list with its add and remove buttons, for the field it fills.
    QWidget* MakeFavourites(QWidget* parent, formulas::TFavourites list, QLineEdit* field, const char* suffix);
    void Run(const TPadKey& key);
    void TakeTyping();
    void ShowField();
    void FillList(formulas::TFavourites list);
    void SaveFavourites();
    void Validate();

    formulas::TClavier m_clavier;
    std::string m_settingsPath;
    QTabWidget* m_pages = nullptr;
    QLineEdit* m_memoF = nullptr;
    QLineEdit* m_memoC = nullptr;
    QLineEdit* m_memoU = nullptr;
    QComboBox* m_lists[3] = {};
    QToolButton* m_arc = nullptr;
    bool m_showing = false;
};

} // namespace kinoval
