#include "gui/formulas/calculatrice_form.h"

#include "core/common/numbers.h"
#include "gui/common/qt_text.h"
#include "gui/formulas/formula_pad.h"

#include <QApplication>
#include <QButtonGroup>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace kinoval {

namespace {

using A = TPadAction;

constexpr TPadKey kKeys[] = {
    { "SpeedButtonSin", "Sin", TrNoop("Sinus"), A::Function, "Sin", 0, 1 },
    { "SpeedButtonCos", "Cos", TrNoop("Cosinus"), A::Function, "Cos", 0, 2 },
    { "SpeedButtonTan", "Tan", TrNoop("Tangente"), A::Function, "Tan", 0, 3 },
    { "SpeedButtonPi", "π", TrNoop("Pi"), A::Insert, "Pi", 0, 4 },
    { "SpeedButtonLn", "Ln", TrNoop("Logarithme népérien"), A::Function, "Ln", 1, 0 },
    { "SpeedButtonLog", "Log", TrNoop("Logarithme décimal"), A::Function, "Log", 1, 1 },
    { "SpeedButtonExp", "Exp", TrNoop("Exponentielle"), A::Function, "Exp", 1, 2 },
    { "SpeedButtonPuissance10", "10^", TrNoop("Puissance de dix"), A::Function, "10^", 1, 3 },
    { "SpeedButtonRacine", "√", TrNoop("Racine carrée"), A::Function, "Sqrt", 1, 4 },
    { "SpeedButton7", "7", nullptr, A::Insert, "7", 2, 0 },
    { "SpeedButton8", "8", nullptr, A::Insert, "8", 2, 1 },
    { "SpeedButton9", "9", nullptr, A::Insert, "9", 2, 2 },
    { "SpeedButtonOP", "(", TrNoop("Parenthèse ouvrante"), A::Insert, "(", 2, 3 },
    { "SpeedButtonFP", ")", TrNoop("Parenthèse fermante"), A::Insert, ")", 2, 4 },
    { "SpeedButton4", "4", nullptr, A::Insert, "4", 3, 0 },
    { "SpeedButton5", "5", nullptr, A::Insert, "5", 3, 1 },
    { "SpeedButton6", "6", nullptr, A::Insert, "6", 3, 2 },
    { "SpeedButtonMult", "×", TrNoop("Multiplier"), A::Insert, "*", 3, 3 },
    { "SpeedButtonDiv", "÷", TrNoop("Diviser"), A::Insert, "÷", 3, 4 },
    { "SpeedButton1", "1", nullptr, A::Insert, "1", 4, 0 },
    { "SpeedButton2", "2", nullptr, A::Insert, "2", 4, 1 },
    { "SpeedButton3", "3", nullptr, A::Insert, "3", 4, 2 },
    { "SpeedButtonAdd", "+", TrNoop("Ajouter"), A::Insert, "+", 4, 3 },
    { "SpeedButtonMinus", "−", TrNoop("Soustraire"), A::Insert, "-", 4, 4 },
    { "SpeedButton0", "0", nullptr, A::Insert, "0", 5, 0 },
    { "SpeedButtonSeparator", ",", TrNoop("Séparateur décimal"), A::Insert, ",", 5, 1 },
    { "SpeedButtonE", "E", TrNoop("Puissance de dix de l'écriture scientifique"), A::Insert, "E", 5, 2 },
    { "SpeedButtonPuissance", "^", TrNoop("Puissance"), A::Insert, "^", 5, 3 },
    { "SpeedButtonCarre", "x²", TrNoop("Carré"), A::Insert, "^2", 5, 4 },
    { "SpeedButtonDebut", "|◀", TrNoop("Début de la saisie"), A::Home, nullptr, 6, 0 },
    { "SpeedButtonDecSelStart", "◀", TrNoop("Un caractère à gauche"), A::Left, nullptr, 6, 1 },
    { "SpeedButtonIncSelStart", "▶", TrNoop("Un caractère à droite"), A::Right, nullptr, 6, 2 },
    { "SpeedButtonFin", "▶|", TrNoop("Fin de la saisie"), A::End, nullptr, 6, 3 },
    { "SpeedButtonEffacer", "⌫", TrNoop("Effacer le caractère précédent"), A::Backspace, nullptr, 6, 4 },
    { "SpeedButtonAC", "AC", TrNoop("Tout effacer"), A::ClearAll, nullptr, 7, 0 },
    { "SpeedButtonPred", "⇧", TrNoop("Saisie précédente"), A::Previous, nullptr, 7, 1 },
    { "SpeedButtonSucc", "⇩", TrNoop("Saisie suivante"), A::Next, nullptr, 7, 2 },
    { "SpeedButtonEgal", "=", TrNoop("Calculer"), A::Evaluate, nullptr, 7, 3 },
};

} // namespace

TCalculatriceForm::TCalculatriceForm(QWidget* parent)
    : QDialog(parent)
{
    setObjectName("Calculatrice");
    setWindowTitle(QStringLiteral("Kinoval"));
    setModal(false);

    m_memo = new QLineEdit(this);
    m_memo->setObjectName("Memo");
    m_memo->setAccessibleName(T("Expression à calculer"));
    m_memo->setToolTip(T("Saisir une expression, puis Entrée ou « = »"));
    m_memo->setMinimumWidth(300);
    m_memo->installEventFilter(this);
    connect(m_memo, &QLineEdit::textChanged, this, [this] {
        if (!m_showing)
            m_calc.Typed(m_memo->text().toStdString(), m_memo->cursorPosition());
    });

    auto* angle = new QGroupBox(T("Angles"), this);
    angle->setObjectName("RadioGroupAngle");
    m_radians = new QRadioButton(T("Radians"), angle);
    m_radians->setObjectName("RadioRadians");
    m_degrees = new QRadioButton(T("Degrés"), angle);
    m_degrees->setObjectName("RadioDegres");
    m_radians->setChecked(true);
    auto* angleLayout = new QHBoxLayout(angle);
    angleLayout->addWidget(m_radians);
    angleLayout->addWidget(m_degrees);
    connect(m_radians, &QRadioButton::toggled, this, [this](bool radians) {
        m_calc.SetRadians(radians);
        ShowField();
    });

    m_arc = MakeInverseToggle(this);
    connect(m_arc, &QToolButton::toggled, this, [this](bool on) { m_calc.SetInverse(on); });

    QGridLayout* pad = MakePad(this, kKeys, [this](const TPadKey& key) { Run(key); });
    pad->addWidget(m_arc, 0, 0);
    if (auto* separator = findChild<QToolButton*>("SpeedButtonSeparator"))
        separator->setText(QString(QChar(DecimalSeparator())));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_memo);
    layout->addWidget(angle);
    layout->addLayout(pad);
    adjustSize();
}

void TCalculatriceForm::Open()
{
    show();
    raise();
    activateWindow();
    m_memo->setFocus();
}

void TCalculatriceForm::TakeTyping()
{
    if (!m_calc.ResultShown())
        m_calc.Typed(m_memo->text().toStdString(), m_memo->cursorPosition());
}

void TCalculatriceForm::ShowField()
{
    m_showing = true;
    m_memo->setText(Q(m_calc.Field().Text()));
    m_memo->setCursorPosition(m_calc.Field().Caret());
    m_showing = false;
}

void TCalculatriceForm::Run(const TPadKey& key)
{
    TakeTyping();
    switch (key.action) {
    case A::Insert:
        m_calc.Insert(formulas::TranslateTypedText(key.text));
        break;
    case A::Function:
        m_calc.InsertFunction(key.text);
        break;
    case A::Backspace:
        m_calc.Backspace();
        break;
    case A::ClearAll:
        m_calc.ClearAll();
        break;
    case A::Home:
        m_calc.Home();
        break;
    case A::End:
        m_calc.End();
        break;
    case A::Left:
        m_calc.Left();
        break;
    case A::Right:
        m_calc.Right();
        break;
    case A::Previous:
        m_calc.Previous();
        break;
    case A::Next:
        m_calc.Next();
        break;
    case A::Evaluate:
        m_calc.Evaluate();
        break;
    }
    ShowField();
    m_memo->setFocus();
}

bool TCalculatriceForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_memo && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            TakeTyping();
            m_calc.Evaluate();
            ShowField();
            return true;
        }
        const QString text = key->text();
        const bool command = (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != 0;
        if (!command && !text.isEmpty() && text.at(0).isPrint()) {
            // Through the calculator, so that a message shown is cleared and the keys are translated.
            TakeTyping();
            m_calc.Insert(formulas::TranslateTypedText(text.toStdString()));
            ShowField();
            return true;
        }
        if (key->key() == Qt::Key_Backspace) {
            TakeTyping();
            m_calc.Backspace();
            ShowField();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TCalculatriceForm::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    // Losing the focus to another window of the program puts the calculator away.
    if (event->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow()) {
        QWidget* active = QApplication::activeWindow();
        if (active != nullptr && active != this)
            hide();
    }
}

} // namespace kinoval
