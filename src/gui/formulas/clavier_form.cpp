#include "gui/formulas/clavier_form.h"

#include "core/common/numbers.h"
#include "gui/common/qt_text.h"
#include "gui/formulas/formula_pad.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace kinoval {

namespace {

using A = TPadAction;
using formulas::TFavourites;

constexpr TPadKey kKeys[] = {
    { "SpeedButtonSin", "Sin", TrNoop("Sinus"), A::Function, "Sin", 0, 1 },
    { "SpeedButtonCos", "Cos", TrNoop("Cosinus"), A::Function, "Cos", 0, 2 },
    { "SpeedButtonTan", "Tan", TrNoop("Tangente"), A::Function, "Tan", 0, 3 },
    { "SpeedButtonPi", "π", TrNoop("Pi"), A::Insert, "Pi", 0, 4 },
    { "SpeedButtonAbs", "|x|", TrNoop("Valeur absolue"), A::Function, "Abs", 0, 5 },
    { "SpeedButtonLn", "Ln", TrNoop("Logarithme népérien"), A::Function, "Ln", 1, 0 },
    { "SpeedButtonLog", "Log", TrNoop("Logarithme décimal"), A::Function, "Log", 1, 1 },
    { "SpeedButtonExp", "Exp", TrNoop("Exponentielle"), A::Function, "Exp", 1, 2 },
    { "SpeedButtonPuissance10", "10^", TrNoop("Puissance de dix"), A::Function, "10^", 1, 3 },
    { "SpeedButtonRacine", "√", TrNoop("Racine carrée"), A::Function, "Sqrt", 1, 4 },
    { "SpeedButtonInvX", "1/x", TrNoop("Inverse"), A::Insert, "^(-1)", 1, 5 },
    { "SpeedButtonOP", "(", TrNoop("Parenthèse ouvrante"), A::Insert, "(", 2, 0 },
    { "SpeedButtonFP", ")", TrNoop("Parenthèse fermante"), A::Insert, ")", 2, 1 },
    { "SpeedButtonCrochetOuvert", "[", TrNoop("Crochet ouvrant"), A::Insert, "[", 2, 2 },
    { "SpeedButtonCrochetFerme", "]", TrNoop("Crochet fermant"), A::Insert, "]", 2, 3 },
    { "SpeedButtonPuissance", "^", TrNoop("Puissance"), A::Insert, "^", 2, 4 },
    { "SpeedButtonCarre", "x²", TrNoop("Carré"), A::Insert, "^2", 2, 5 },
    { "SpeedButtonAdd", "+", TrNoop("Ajouter"), A::Insert, "+", 3, 0 },
    { "SpeedButtonMinus", "−", TrNoop("Soustraire"), A::Insert, "-", 3, 1 },
    { "SpeedButtonMult", "×", TrNoop("Multiplier"), A::Insert, "*", 3, 2 },
    { "SpeedButtonDiv", "÷", TrNoop("Diviser"), A::Insert, "÷", 3, 3 },
    { "SpeedButtonE", "E", TrNoop("Puissance de dix de l'écriture scientifique"), A::Insert, "E", 3, 4 },
    { "SpeedButtonEgal", "=", TrNoop("Signe égal"), A::Insert, "=", 3, 5 },
    { "SpeedButtonI", "[i]", TrNoop("Indice i"), A::Insert, "[i]", 4, 0 },
    { "SpeedButtonIMoins1", "[i-1]", TrNoop("Indice i-1"), A::Insert, "[i-1]", 4, 1 },
    { "SpeedButtonIPlus1", "[i+1]", TrNoop("Indice i+1"), A::Insert, "[i+1]", 4, 2 },
    { "SpeedButtonDebut", "|◀", TrNoop("Début de la saisie"), A::Home, nullptr, 5, 0 },
    { "SpeedButtonDecSelStart", "◀", TrNoop("Un caractère à gauche"), A::Left, nullptr, 5, 1 },
    { "SpeedButtonIncSelStart", "▶", TrNoop("Un caractère à droite"), A::Right, nullptr, 5, 2 },
    { "SpeedButtonFin", "▶|", TrNoop("Fin de la saisie"), A::End, nullptr, 5, 3 },
    { "SpeedButtonEffacer", "⌫", TrNoop("Effacer le caractère précédent"), A::Backspace, nullptr, 5, 4 },
    { "SpeedButtonAC", "AC", TrNoop("Tout effacer"), A::ClearAll, nullptr, 5, 5 },
    { "ButtonPred", "⇧", TrNoop("Saisie précédente"), A::Previous, nullptr, 4, 3 },
    { "ButtonSucc", "⇩", TrNoop("Saisie suivante"), A::Next, nullptr, 4, 4 },
    { "SpeedButtonExe", "✔", TrNoop("Valider la saisie"), A::Evaluate, nullptr, 4, 5 },
};

struct TListTexts {
    const char* hint;
    const char* add;
};
// In the order of TFavourites.
constexpr TListTexts kLists[] = {
    { TrNoop("Formules favorites"), TrNoop("Ajouter la formule saisie à la liste") },
    { TrNoop("Commentaires courants"), TrNoop("Ajouter le commentaire saisi à la liste") },
    { TrNoop("Unités fréquemment utilisées"), TrNoop("Ajouter l'unité saisie à la liste") },
};

int At(TFavourites list)
{
    return static_cast<int>(list);
}

QToolButton* SmallButton(QWidget* parent, const char* name, const QString& caption, const QString& spoken)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setAccessibleName(spoken);
    button->setToolTip(spoken);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

TClavierForm::TClavierForm(std::string settingsPath, QWidget* parent)
    : QDialog(parent)
    , m_settingsPath(std::move(settingsPath))
{
    setObjectName("Clavier");
    setWindowTitle(T("Aide à la saisie"));
    setModal(false);
    if (!m_settingsPath.empty())
        m_clavier.LoadFavourites(m_settingsPath);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName("PageControl");
    m_pages->addTab(MakeFormulaPage(), T("Formule"));
    m_pages->addTab(MakeTextsPage(), T("Commentaire et unité"));

    auto* copy = new QPushButton(T("Copier"), this);
    copy->setObjectName("ButtonCopier");
    auto* cut = new QPushButton(T("Couper"), this);
    cut->setObjectName("ButtonCouper");
    auto* paste = new QPushButton(T("Coller"), this);
    paste->setObjectName("ButtonColler");
    for (QPushButton* b : { copy, cut, paste })
        b->setFocusPolicy(Qt::NoFocus);
    // The clipboard buttons work on the field of the page in front.
    const auto field = [this]() -> QLineEdit* {
        if (m_pages->currentIndex() == 0)
            return m_memoF;
        return m_memoU->hasFocus() ? m_memoU : m_memoC;
    };
    connect(copy, &QPushButton::clicked, this, [field] {
        QLineEdit* f = field();
        QApplication::clipboard()->setText(f->hasSelectedText() ? f->selectedText() : f->text());
    });
    connect(cut, &QPushButton::clicked, this, [field] {
        QLineEdit* f = field();
        if (!f->hasSelectedText())
            f->selectAll();
        f->cut();
    });
    connect(paste, &QPushButton::clicked, this, [field] { field()->paste(); });
    auto* clipboardRow = new QHBoxLayout;
    clipboardRow->addWidget(copy);
    clipboardRow->addWidget(cut);
    clipboardRow->addWidget(paste);
    clipboardRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(clipboardRow);
    for (TFavourites list : { TFavourites::Formulas, TFavourites::Comments, TFavourites::Units })
        FillList(list);
    adjustSize();
}

QWidget* TClavierForm::MakeFavourites(QWidget* parent, TFavourites list, QLineEdit* field, const char* suffix)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const TListTexts& texts = kLists[At(list)];
    auto* combo = new QComboBox(row);
    combo->setObjectName(QStringLiteral("ComboBox") + QLatin1String(suffix));
    combo->setAccessibleName(T(texts.hint));
    combo->setToolTip(T(texts.hint));
    combo->setMinimumWidth(220);
    m_lists[At(list)] = combo;
    auto* add = SmallButton(row, "", QStringLiteral("+"), T(texts.add));
    add->setObjectName(QStringLiteral("ButtonAdd") + QLatin1String(suffix));
    auto* remove = SmallButton(row, "", QStringLiteral("−"), T("Supprimer l'item sélectionné de la liste"));
    remove->setObjectName(QStringLiteral("ButtonSuppr") + QLatin1String(suffix));
    layout->addWidget(combo, 1);
    layout->addWidget(add);
    layout->addWidget(remove);
    connect(combo, &QComboBox::activated, this, [this, list, field](int index) {
        m_clavier.ChooseFavourite(list, index);
        if (list == TFavourites::Formulas) {
            ShowField();
        } else {
            field->setText(Q(list == TFavourites::Comments ? m_clavier.Comment : m_clavier.Unit));
            field->end(false);
        }
        field->setFocus();
    });
    connect(add, &QToolButton::clicked, this, [this, list, field] {
        if (m_clavier.AddFavourite(list, field->text().toStdString())) {
            FillList(list);
            m_lists[At(list)]->setCurrentIndex(m_lists[At(list)]->count() - 1);
            SaveFavourites();
        }
    });
    connect(remove, &QToolButton::clicked, this, [this, list] {
        const int index = m_lists[At(list)]->currentIndex();
        if (index < 0)
            return;
        m_clavier.RemoveFavourite(list, index);
        FillList(list);
        SaveFavourites();
    });
    return row;
}

QWidget* TClavierForm::MakeFormulaPage()
{
    auto* page = new QWidget(this);
    page->setObjectName("TabSheetF");
    m_memoF = new QLineEdit(page);
    m_memoF->setObjectName("MemoF");
    m_memoF->setAccessibleName(T("Formule"));
    m_memoF->setToolTip(T("Saisir une formule : son nom, « = », puis l'expression (Ec = 0,5*m*v^2)"));
    m_memoF->setMinimumWidth(360);
    m_memoF->installEventFilter(this);
    connect(m_memoF, &QLineEdit::textChanged, this, [this] {
        if (!m_showing)
            TakeTyping();
    });
    m_arc = MakeInverseToggle(page);
    connect(m_arc, &QToolButton::toggled, this, [this](bool on) { m_clavier.Inverse = on; });
    QGridLayout* pad = MakePad(page, kKeys, [this](const TPadKey& key) { Run(key); });
    pad->addWidget(m_arc, 0, 0);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(m_memoF);
    layout->addWidget(MakeFavourites(page, TFavourites::Formulas, m_memoF, "F"));
    layout->addLayout(pad);
    return page;
}

QWidget* TClavierForm::MakeTextsPage()
{
    auto* page = new QWidget(this);
    page->setObjectName("TabSheetUC");
    m_memoC = new QLineEdit(page);
    m_memoC->setObjectName("MemoC");
    m_memoC->setAccessibleName(T("Commentaire"));
    m_memoU = new QLineEdit(page);
    m_memoU->setObjectName("MemoU");
    m_memoU->setAccessibleName(T("Unité"));
    auto* form = new QFormLayout(page);
    form->addRow(T("Commentaire :"), m_memoC);
    form->addRow(QString(), MakeFavourites(page, TFavourites::Comments, m_memoC, "C"));
    form->addRow(T("Unité :"), m_memoU);
    form->addRow(QString(), MakeFavourites(page, TFavourites::Units, m_memoU, "U"));
    return page;
}

std::string TClavierForm::FormulaText() const
{
    return m_memoF->text().toStdString();
}

std::string TClavierForm::CommentText() const
{
    return m_memoC->text().toStdString();
}

std::string TClavierForm::UnitText() const
{
    return m_memoU->text().toStdString();
}

void TClavierForm::Open()
{
    show();
    raise();
    activateWindow();
    m_pages->setCurrentIndex(0);
    m_memoF->setFocus();
}

void TClavierForm::FillList(TFavourites list)
{
    QComboBox* combo = m_lists[At(list)];
    combo->clear();
    for (const std::string& item : m_clavier.Favourites(list))
        combo->addItem(Q(item));
}

void TClavierForm::SaveFavourites()
{
    // A settings file that cannot be written keeps the favourites for this run only; the settings
    // dialog and the end of the program say so when they meet the same file.
    if (!m_settingsPath.empty())
        m_clavier.SaveFavourites(m_settingsPath);
}

void TClavierForm::TakeTyping()
{
    m_clavier.Typed(m_memoF->text().toStdString(), m_memoF->cursorPosition());
}

void TClavierForm::ShowField()
{
    m_showing = true;
    m_memoF->setText(Q(m_clavier.Formula().Text()));
    m_memoF->setCursorPosition(m_clavier.Formula().Caret());
    m_showing = false;
}

void TClavierForm::Validate()
{
    TakeTyping();
    m_clavier.Comment = CommentText();
    m_clavier.Unit = UnitText();
    m_clavier.Validate();
    ShowField();
    if (OnValidate && OnValidate(FormulaText(), CommentText(), UnitText())) {
        m_clavier.Formula().Clear();
        ShowField();
        m_memoC->clear();
        m_memoU->clear();
    }
}

void TClavierForm::Run(const TPadKey& key)
{
    TakeTyping();
    formulas::TFormulaField& field = m_clavier.Formula();
    switch (key.action) {
    case A::Insert:
        m_clavier.Insert(formulas::TranslateTypedText(key.text));
        break;
    case A::Function:
        m_clavier.InsertFunction(key.text);
        break;
    case A::Backspace:
        field.Backspace();
        break;
    case A::ClearAll:
        field.Clear();
        break;
    case A::Home:
        field.Home();
        break;
    case A::End:
        field.End();
        break;
    case A::Left:
        field.Left();
        break;
    case A::Right:
        field.Right();
        break;
    case A::Previous:
        m_clavier.Previous();
        break;
    case A::Next:
        m_clavier.Next();
        break;
    case A::Evaluate:
        Validate();
        return;
    }
    ShowField();
    // What the pad wrote is the text being typed, to come back to after browsing the history.
    if (key.action != A::Previous && key.action != A::Next)
        TakeTyping();
    m_memoF->setFocus();
}

bool TClavierForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_memoF && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Validate();
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            close();
            return true;
        }
        const QString text = key->text();
        const bool command = (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != 0;
        if (!command && (text == "," || text == "." || text == "/")) {
            TakeTyping();
            m_clavier.Insert(formulas::TranslateTypedText(text.toStdString()));
            ShowField();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kinoval
