#pragma once
// TCalculatriceForm: the pocket calculator window, over core's TCalculatrice.
//
// One window serves the main, results and formulas windows' "Calculatrice" commands. The field is core's:
// every key and button goes to TCalculatrice, and the window shows its text and caret again; what the user
// types straight into the field (a paste, a key with no translation) is handed back as typed. "," and "."
// become the decimal separator, "/" the division sign, Enter evaluates. The window hides itself when
// another window of the program becomes active.

#include "core/formulas/calculatrice.h"

#include <QDialog>

class QLineEdit;
class QRadioButton;
class QToolButton;

namespace kinoval {

struct TPadKey;

class TCalculatriceForm : public QDialog {
    Q_OBJECT
public:
    explicit TCalculatriceForm(QWidget* parent = nullptr);

    const formulas::TCalculatrice& Calculatrice() const { return m_calc; }
    QLineEdit* Memo() const { return m_memo; }
    // Shows the window in front, its field ready for typing.
    void Open();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Run(const TPadKey& key);
    // The field as the user left it, when it holds an expression being typed.
    void TakeTyping();
    void ShowField();

    formulas::TCalculatrice m_calc;
    QLineEdit* m_memo = nullptr;
    QToolButton* m_arc = nullptr;
    QRadioButton* m_radians = nullptr;
    QRadioButton* m_degrees = nullptr;
    bool m_showing = false;
};

} // namespace kinoval
