#include "gui/formulas/boite_formules.h"

#include "core/common/user_dlg.h"
#include "core/export/serveur.h"
#include "core/export/table_hand_over.h"
#include "core/formulas/formula_help.h"
#include "core/settings/options.h"
#include "gui/common/qt_text.h"
#include "gui/formulas/formula_tables.h"

#include <QAction>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace kinoval {

namespace {

QAction* AddAction(QMenu* menu, const char* name, const char* caption)
{
    QAction* action = menu->addAction(T(caption));
    action->setObjectName(name);
    return action;
}

QLineEdit* Field(QWidget* parent, const char* name, const char* spoken, const char* tip, int width)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setAccessibleName(T(spoken));
    field->setToolTip(T(tip));
    field->setPlaceholderText(T(spoken));
    field->setMinimumWidth(width);
    return field;
}

// A message of the formulas, whose lines may be separated by line ends.
std::vector<std::string> MessageLines(const std::string& message)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= message.size()) {
        const std::size_t end = message.find('\n', start);
        lines.push_back(message.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return lines;
}

} // namespace

TBoiteFormules::TBoiteFormules(const TBoiteFormulesParts& parts, QWidget* parent)
    : QMainWindow(parent)
    , m_parts(parts)
    , m_formulaGrid(parts.formules)
    , m_constantGrid(parts.formules)
{
    setObjectName("BoiteFormules");
    setWindowTitle(T("Formules et constantes"));
    SetProgramPath(QCoreApplication::applicationFilePath().toStdString());

    m_formulaModel = new TFormulaGridModel(m_formulaGrid, this);
    m_constantModel = new TConstantGridModel(m_constantGrid, this);
    m_formulaModel->OnEdited = [this](const formulas::TEditOutcome& outcome) {
        Tell(outcome);
        Refit();
    };
    m_constantModel->OnEdited = [this](const formulas::TEditOutcome& outcome) {
        Tell(outcome);
        m_formulaModel->Refresh();
        Refit();
    };

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setObjectName("SplitterFormules");
    splitter->addWidget(BuildFormulaPane());
    auto* lower = new QSplitter(Qt::Horizontal, splitter);
    lower->addWidget(BuildConstantPane());
    lower->addWidget(BuildHelpPanes());
    lower->setStretchFactor(0, 1);
    lower->setStretchFactor(1, 1);
    splitter->addWidget(lower);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    setCentralWidget(splitter);

    BuildMenus();
    ApplyOptions();
    resize(900, 680);
}

TBoiteFormules::~TBoiteFormules() = default;

void TBoiteFormules::SetProgramPath(const std::string& path)
{
    m_handOver = std::make_unique<TTableHandOver>(
        [this]() -> results::TCopyableTable& { return m_formulaGrid; }, m_parts.serveur, path);
}

void TBoiteFormules::BuildMenus()
{
    // Every hand-over shows the values as they are now.
    const auto handOver = [this](auto command) {
        return [this, command] {
            if (refresh)
                refresh();
            ShowValues();
            command(*m_handOver);
        };
    };
    QMenu* file = menuBar()->addMenu(T("&Fichier"));
    file->setObjectName("MenuFichier");
    connect(AddAction(file, "MenuFichierExporter", TrNoop("Exporter")), &QAction::triggered, this,
        handOver([](TTableHandOver& h) { h.ExportTextFile(); }));
    connect(AddAction(file, "MenuFichierExporterCsv", TrNoop("Exporter au format CSV")), &QAction::triggered, this,
        handOver([](TTableHandOver& h) { h.ExportCsvFile(); }));
    file->addSeparator();
    QAction* close = AddAction(file, "MenuFichierFermer", TrNoop("Fermer"));
    close->setShortcut(QKeySequence::Close);
    connect(close, &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(T("&Edition"));
    edit->setObjectName("MenuEdition");
    QAction* copy = AddAction(
        edit, "MenuEditionCopierTableauDansLePressePapier", TrNoop("Copier le tableau dans le presse-papier"));
    connect(copy, &QAction::triggered, this, handOver([](TTableHandOver& h) { h.CopyTable(); }));
    connect(AddAction(edit, "MenuEditionCopierTableauDansLePressePapierPourPython",
                TrNoop("Copier le tableau dans le presse-papier pour Python")),
        &QAction::triggered, this, handOver([](TTableHandOver& h) { h.CopyPython(); }));
    QMenu* launch = edit->addMenu(T("Copier et lancer"));
    launch->setObjectName("MenuEditionCopierEtLancer");
    connect(AddAction(launch, "MenuEditionCopierEtLancerExcel", "Excel"), &QAction::triggered, this,
        handOver([](TTableHandOver& h) { h.ToExcel(); }));
    connect(AddAction(launch, "MenuEditionCopierEtLancerOpenOffice", "LibreOffice"), &QAction::triggered, this,
        handOver([](TTableHandOver& h) { h.ToLibreOffice(); }));
    connect(AddAction(launch, "MenuEditionCopierEtLancerRegressi", "Regressi"), &QAction::triggered, this,
        handOver([](TTableHandOver& h) { h.ToRegressi(); }));

    QMenu* calculations = menuBar()->addMenu(T("&Calculs"));
    calculations->setObjectName("MenuCalculs");
    connect(
        AddAction(calculations, "MenuCalculsCalculatrice", TrNoop("Calculatrice")), &QAction::triggered, this, [this] {
            if (openCalculator)
                openCalculator();
        });
    connect(
        AddAction(calculations, "MenuCalculsClavier", TrNoop("Aide à la saisie")), &QAction::triggered, this, [this] {
            if (openKeyboard)
                openKeyboard();
        });
}

QWidget* TBoiteFormules::BuildFormulaPane()
{
    auto* pane = new QGroupBox(T("Formules"), this);
    pane->setObjectName("GroupeFormules");
    m_newFormula = Field(pane, "EditNouvelleFormule", TrNoop("Nouvelle formule"),
        TrNoop("Le nom de la formule, « = », puis l'expression : Ec = 0,5*m*v^2"), 260);
    m_newUnit = Field(pane, "EditNouvelleUnite", TrNoop("Unité de la formule"), TrNoop("Son unité (facultative)"), 120);
    m_newComment = Field(pane, "EditNouveauCommentaire", TrNoop("Commentaire de la formule"),
        TrNoop("Son commentaire (facultatif)"), 140);
    // Short placeholders: the fields are narrow, their full names are for the screen readers.
    m_newUnit->setPlaceholderText(T("Unité"));
    m_newComment->setPlaceholderText(T("Commentaire"));
    m_addFormula = new QPushButton(T("Ajouter la formule"), pane);
    m_addFormula->setObjectName("ButtonAjouterFormule");
    m_addFormula->setToolTip(T("Calculer la formule saisie et l'ajouter au tableau"));
    connect(m_addFormula, &QPushButton::clicked, this, &TBoiteFormules::AddTypedFormula);
    for (QLineEdit* field : { m_newFormula, m_newUnit, m_newComment })
        connect(field, &QLineEdit::returnPressed, this, &TBoiteFormules::AddTypedFormula);
    auto* keyboard = new QPushButton(T("Aide à la saisie"), pane);
    keyboard->setObjectName("ButtonClavier");
    connect(keyboard, &QPushButton::clicked, this, [this] {
        if (openKeyboard)
            openKeyboard();
    });
    auto* entry = new QHBoxLayout;
    entry->addWidget(m_newFormula, 3);
    entry->addWidget(m_newUnit, 1);
    entry->addWidget(m_newComment, 2);
    entry->addWidget(m_addFormula);
    entry->addWidget(keyboard);

    m_formulaView = new TFormulaGridView(pane);
    m_formulaView->setObjectName("GridExF");
    m_formulaView->setAccessibleName(T("Tableau des formules"));
    m_formulaView->setModel(m_formulaModel);
    m_formulaView->OnControlLineChanged = [this] {
        Refit();
        if (changed)
            changed();
    };

    auto* layout = new QVBoxLayout(pane);
    layout->addLayout(entry);
    layout->addWidget(m_formulaView, 1);
    return pane;
}

QWidget* TBoiteFormules::BuildConstantPane()
{
    auto* pane = new QGroupBox(T("Constantes"), this);
    pane->setObjectName("GroupeConstantes");
    m_constName
        = Field(pane, "EditNomConstante", TrNoop("Nom de la constante"), TrNoop("Son nom : m, g, v_lam[1]..."), 110);
    m_constValue = Field(pane, "EditValeurConstante", TrNoop("Valeur de la constante"),
        TrNoop("Sa valeur (0,1), ou « = » suivi d'une expression des autres constantes (=2*g)"), 110);
    m_constUnit
        = Field(pane, "EditUniteConstante", TrNoop("Unité de la constante"), TrNoop("Son unité (facultative)"), 110);
    m_constName->setPlaceholderText(T("Nom"));
    m_constValue->setPlaceholderText(T("Valeur"));
    m_constUnit->setPlaceholderText(T("Unité"));
    m_addConstant = new QPushButton(T("Ajouter la constante"), pane);
    m_addConstant->setObjectName("ButtonAjouterConstante");
    connect(m_addConstant, &QPushButton::clicked, this, &TBoiteFormules::AddTypedConstant);
    for (QLineEdit* field : { m_constName, m_constValue, m_constUnit })
        connect(field, &QLineEdit::returnPressed, this, &TBoiteFormules::AddTypedConstant);
    auto* entry = new QHBoxLayout;
    entry->addWidget(m_constName, 1);
    entry->addWidget(m_constValue, 1);
    entry->addWidget(m_constUnit, 1);
    entry->addWidget(m_addConstant);

    m_constantView = new QTableView(pane);
    m_constantView->setObjectName("GridExC");
    m_constantView->setAccessibleName(T("Tableau des constantes"));
    m_constantView->setModel(m_constantModel);
    m_constantView->horizontalHeader()->hide();
    m_constantView->verticalHeader()->hide();
    m_constantView->horizontalHeader()->setStretchLastSection(true);
    m_constantView->setEditTriggers(
        QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    m_constantView->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* remove = new QAction(T("Supprimer la constante"), m_constantView);
    remove->setObjectName("MenuSupprimerConstante");
    remove->setShortcut(QKeySequence::Delete);
    remove->setShortcutContext(Qt::WidgetShortcut);
    connect(remove, &QAction::triggered, this, &TBoiteFormules::DeleteCurrentConstant);
    m_constantView->addAction(remove);

    auto* layout = new QVBoxLayout(pane);
    layout->addLayout(entry);
    layout->addWidget(m_constantView, 1);
    return pane;
}

QWidget* TBoiteFormules::BuildHelpPanes()
{
    auto* panes = new QTabWidget(this);
    panes->setObjectName("PagesAide");
    for (formulas::TFormulaHelp page : { formulas::TFormulaHelp::FormulaExamples,
             formulas::TFormulaHelp::ConstantExamples, formulas::TFormulaHelp::Predefined,
             formulas::TFormulaHelp::Functions, formulas::TFormulaHelp::SpecialCharacters }) {
        auto* text = new QPlainTextEdit(panes);
        text->setReadOnly(true);
        text->setPlainText(Q(formulas::FormulaHelpText(page)));
        text->setAccessibleName(Q(formulas::FormulaHelpTitle(page)));
        text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        panes->addTab(text, Q(formulas::FormulaHelpTitle(page)));
    }
    return panes;
}

void TBoiteFormules::ApplyOptions()
{
    const TOptions& o = m_parts.options;
    m_formulaGrid.Options = { o.numberMarksFromZero, o.hideVelocityEdges, o.hideAccelerationEdges };
    const bool editable = o.formulasEditable;
    m_formulaModel->Editable = editable;
    m_constantModel->Editable = editable;
    m_formulaView->CanDelete = editable;
    for (QWidget* w : std::initializer_list<QWidget*> { m_newFormula, m_newUnit, m_newComment, m_addFormula,
             m_constName, m_constValue, m_constUnit, m_addConstant })
        w->setEnabled(editable);
    const QString locked = editable ? QString() : T("La modification des formules n'est pas permise (Options)");
    m_newFormula->setToolTip(editable ? T("Le nom de la formule, « = », puis l'expression : Ec = 0,5*m*v^2") : locked);
    if (isVisible())
        ShowValues();
}

void TBoiteFormules::Open()
{
    show();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

void TBoiteFormules::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        Reload();
}

void TBoiteFormules::Reload()
{
    if (refresh)
        refresh();
    ShowValues();
}

void TBoiteFormules::ShowValues()
{
    m_formulaModel->Refresh();
    m_constantModel->Refresh();
    Refit();
}

void TBoiteFormules::Refit()
{
    m_formulaView->FitColumns();
    m_constantView->resizeColumnsToContents();
}

bool TBoiteFormules::Tell(const formulas::TEditOutcome& outcome)
{
    if (outcome.accepted && changed)
        changed();
    if (!outcome.message.empty())
        m_parts.dialog.ShowMessage(TUserDlgIcon::icWarning, MessageLines(outcome.message));
    return outcome.accepted;
}

bool TBoiteFormules::AddFormula(const std::string& text, const std::string& comment, const std::string& unit)
{
    if (!m_parts.options.formulasEditable) {
        m_parts.dialog.ShowMessage(
            TUserDlgIcon::icInformation, { Tr("La modification des formules n'est pas permise (Options)") });
        return false;
    }
    // Judged against the values of the results as they are now.
    if (refresh)
        refresh();
    const formulas::TEditOutcome outcome = m_parts.formules.TryAddFormula(text, comment, unit);
    ShowValues();
    const bool kept = Tell(outcome);
    if (kept && outcome.position >= 0)
        m_formulaView->scrollTo(m_formulaModel->index(0, m_formulaGrid.ColumnOf(outcome.position)));
    return kept;
}

void TBoiteFormules::AddTypedFormula()
{
    const std::string text = m_newFormula->text().toStdString();
    if (formulas::WithoutBlanks(text).empty())
        return;
    if (AddFormula(text, m_newComment->text().toStdString(), m_newUnit->text().toStdString())) {
        m_newFormula->clear();
        m_newUnit->clear();
        m_newComment->clear();
    }
    m_newFormula->setFocus();
}

void TBoiteFormules::AddTypedConstant()
{
    const std::string name = m_constName->text().toStdString();
    const std::string value = m_constValue->text().toStdString();
    if (formulas::WithoutBlanks(name).empty() || formulas::WithoutBlanks(value).empty())
        return;
    if (refresh)
        refresh();
    const formulas::TEditOutcome outcome
        = m_parts.formules.TryAddConstant(name, value, m_constUnit->text().toStdString());
    ShowValues();
    if (Tell(outcome)) {
        m_constName->clear();
        m_constValue->clear();
        m_constUnit->clear();
        m_constName->setFocus();
    }
}

void TBoiteFormules::DeleteCurrentConstant()
{
    if (!m_parts.options.formulasEditable)
        return;
    const QModelIndex index = m_constantView->currentIndex();
    if (!index.isValid() || m_constantGrid.ConstantOf(index.row()) < 0)
        return;
    m_constantGrid.DeleteLine(index.row());
    ShowValues();
    if (changed)
        changed();
}

} // namespace kinoval
