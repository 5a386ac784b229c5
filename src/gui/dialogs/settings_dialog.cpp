#include "gui/dialogs/settings_dialog.h"

#include "core/common/texts.h"
#include "core/common/user_dlg.h"
#include "core/settings/file_association.h"
#include "gui/common/qt_text.h"
#include "gui/dialogs/dialog_buttons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <map>
#include <string_view>

namespace kinoval {

namespace {

// The captions of the check boxes, by setting.
const std::map<std::string_view, const char*>& CheckCaptions()
{
    static const std::map<std::string_view, const char*> captions = {
        { "CheckBox3ConfirmationQuit", "Proposer d'enregistrer l'étude avant de quitter le logiciel" },
        { "CheckBox4ConfirmationFileChange", "Proposer d'enregistrer l'étude avant d'ouvrir une autre vidéo" },
        { "CheckBox5ChangeFormulae", "Permettre la modification des formules" },
        { "CheckBox6FreezeMRU", "Ne pas ajouter les études enregistrées à la liste des fichiers récents" },
        { "CheckBox7SmoothAcceleration", "Lisser le calcul de l'accélération" },
        { "CheckBox8Acceleration", "Montrer l'accélération dans les résultats" },
        { "CheckBox9Speed", "Montrer la vitesse dans les résultats" },
        { "CheckBox10GridShowSpeed", "Afficher les colonnes des vitesses" },
        { "CheckBox11GridShowAcceleration", "Afficher les colonnes des accélérations" },
        { "CheckBox12TimeZoomX", "Ajuster l'axe horizontal aux valeurs" },
        { "CheckBox13TimeZoomY", "Ajuster l'axe vertical aux valeurs" },
        { "CheckBox14TimePolyline", "Relier les points" },
        { "CheckBox15TimeShowItem", "Afficher la légende des courbes" },
        { "CheckBox16TrajectoryNumber", "Numéroter les positions" },
        { "CheckBox17TrajectoryPolyline", "Relier les points" },
        { "CheckBox18TrajectoryShowItem", "Afficher la légende des courbes" },
        { "CheckBox19VectorNumber", "Numéroter les positions" },
        { "CheckBox20VectorDraw", "Dessiner les vecteurs" },
        { "CheckBox21VectorPolyline", "Relier les points" },
        { "CheckBox22VectorShowItem", "Afficher la légende des courbes" },
        { "CheckBox23FormulaZoomX", "Ajuster l'axe horizontal aux valeurs" },
        { "CheckBox24FormulaZoomY", "Ajuster l'axe vertical aux valeurs" },
        { "CheckBox25FormulaOriginY", "Inclure l'origine sur l'axe vertical" },
        { "CheckBox26FormulaPolyline", "Relier les points" },
        { "CheckBox27ProfShowItem", "Afficher la légende des profils" },
        { "CheckBox28FormulaShowItem", "Afficher la légende des courbes" },
        { "CheckBox29GridShowCoordinates", "Afficher les colonnes des coordonnées" },
        { "CheckBox30HideEdgeV", "Cacher la vitesse au début et à la fin (une marque)" },
        { "CheckBox31HideEdgeA", "Cacher l'accélération au début et à la fin (deux marques)" },
        { "CheckBox32AngleRadian", "Exprimer les angles en radians (en degrés par défaut)" },
        { "CheckBox33VectorOrigin", "Tracer les vecteurs depuis la position de l'objet" },
        { "CheckBox34FormulaOriginX", "Inclure l'origine sur l'axe horizontal" },
        { "CheckBox35VectorTilted", "Incliner les vecteurs selon leur direction" },
        { "CheckBox36StartByZero", "Numéroter les marques à partir de zéro (à partir de un par défaut)" },
        { "CheckBox37GridShowItem", "Afficher le nom des objets" },
        { "CheckBox38ChangeDefaultObjectsName", "Conseiller de nommer les objets avant d'afficher les résultats" },
        { "CheckBox40ShowDialogBoxForHideImage", "Afficher une boîte de dialogue quand une image est masquée" },
        { "CheckBox41HorizAndVertScale", "Etalonner avec deux échelles, l'une horizontale et l'autre verticale" },
        { "CheckBox42TempsEquation", "Afficher l'équation du modèle" },
        { "CheckBox43TempsStatistics", "Afficher les statistiques du modèle" },
        { "CheckBox44FormulaEquation", "Afficher l'équation du modèle" },
        { "CheckBox45FormulaStatistics", "Afficher les statistiques du modèle" },
        { "CheckBox46VectorVideoImage", "Afficher l'image de la vidéo sous le graphe" },
        { "CheckBox47AllowTracking", "Proposer le suivi automatique" },
        { "CheckBox48AllowMontage", "Proposer le montage" },
        { "CheckBox49AllowCapture", "Proposer la capture vidéo" },
        { "CheckBox50VectorSpline", "Lisser la trajectoire par une spline" },
        { "CheckBox51DeformationBubble", "Déformer la bulle des valeurs du modèle" },
        { "CheckBox52ShowRadiusSearch", "Montrer le rayon de recherche pendant le suivi" },
        { "CheckBox53PolarQuantities", "Calculer les grandeurs polaires (angle, rayon, vitesse angulaire)" },
        { "CheckBox54SmoothSpeed", "Lisser le calcul de la vitesse" },
        { "CheckBox57GridShowPolarQuantities", "Afficher les colonnes des grandeurs polaires" },
        { "CheckBox58AllowStudio", "Proposer l'atelier vidéo" },
    };
    return captions;
}

// The captions of the results window's tool buttons, by the end of their name.
QString ToolCaption(std::string_view tool)
{
    static const std::map<std::string_view, const char*> captions = {
        { "ModeleConstant", "Modèle constant" },
        { "ModeleAffine", "Modèle affine" },
        { "ModeleProportionnel", "Modèle linéaire" },
        { "ModeleParabole", "Modèle parabolique" },
        { "ModeleSinus", "Modèle sinusoïdal" },
        { "ModeleSinusAl", "Modèle sinusoïdal amorti" },
        { "ModeleExponentiel", "Modèle exponentiel" },
        { "Reticule", "Réticule" },
        { "Angle", "Mesurer un angle" },
        { "Arc", "Arc de cercle" },
        { "Cercle", "Cercle" },
        { "CurveArc", "Arc de courbe" },
        { "Dupliquer", "Dupliquer" },
        { "Ellipse", "Ellipse" },
        { "Mesurer", "Mesurer une longueur" },
        { "Segment", "Segment" },
        { "Selection", "Sélection" },
        { "Spline", "Spline" },
        { "Supprimer", "Supprimer" },
        { "Sens", "Sens des vecteurs" },
        { "Vecteur", "Vecteur" },
        { "Video", "Image de la vidéo" },
    };
    const auto found = captions.find(tool);
    return found == captions.end() ? QString::fromLatin1(tool.data(), int(tool.size())) : T(found->second);
}

std::string_view WithoutEnding(std::string_view key, std::string_view ending)
{
    return key.ends_with(ending) ? key.substr(0, key.size() - ending.size()) : key;
}

class TPasswordDialog : public QDialog {
public:
    TPasswordDialog(QWidget* parent, const std::string& password, TCustomUserDlg& dlg)
        : QDialog(parent)
        , m_password(password)
        , m_dlg(dlg)
    {
        setObjectName(QStringLiteral("PasswordDialog"));
        setWindowTitle(T("Mot de passe"));
        setModal(true);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(T("Le réglage des options est protégé par un mot de passe."), this));
        m_edit = new QLineEdit(this);
        m_edit->setObjectName(QStringLiteral("EditPassword"));
        m_edit->setEchoMode(QLineEdit::Password);
        m_edit->setMinimumWidth(220);
        layout->addWidget(m_edit);
        layout->addLayout(MakeOkCancelRow(*this));
        m_edit->setFocus();
    }

    void accept() override
    {
        if (m_edit->text().toStdString() != m_password) {
            m_dlg.ShowMessage(TUserDlgIcon::icWarning, { Tr("Mot de passe incorrect.") });
            m_edit->setFocus();
            m_edit->selectAll();
            return;
        }
        QDialog::accept();
    }

private:
    std::string m_password;
    TCustomUserDlg& m_dlg;
    QLineEdit* m_edit = nullptr;
};

} // namespace

TSettingsDialog::TSettingsDialog(
    QWidget* parent, const TOptionValues& values, TCustomUserDlg& dlg, TDesktopServices& desktop)
    : QDialog(parent)
    , AssociationFolder(UserDataFolder())
    , AssociationProgram(QCoreApplication::applicationFilePath().toStdString())
    , m_dlg(dlg)
    , m_desktop(desktop)
{
    static_cast<TOptionValues&>(m_edited) = values;
    setObjectName(QStringLiteral("SettingsDialog"));
    setWindowTitle(T("Options"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl"));
    layout->addWidget(m_pages);

    BuildGeneralPage();
    BuildPointingPage();
    AddCheckPage("Calculs",
        { { "Vitesse et accélération",
              { "CheckBox9Speed", "CheckBox8Acceleration", "CheckBox54SmoothSpeed", "CheckBox7SmoothAcceleration",
                  "CheckBox30HideEdgeV", "CheckBox31HideEdgeA" } },
            { "Grandeurs polaires", { "CheckBox53PolarQuantities", "CheckBox32AngleRadian" } },
            { "Formules", { "CheckBox5ChangeFormulae" } } });
    AddCheckPage("Tableau",
        { { "Colonnes du tableau",
            { "CheckBox29GridShowCoordinates", "CheckBox10GridShowSpeed", "CheckBox11GridShowAcceleration",
                "CheckBox57GridShowPolarQuantities", "CheckBox37GridShowItem" } } });
    QWidget* graphs = AddCheckPage("Graphes",
        { { "Graphes en fonction du temps",
              { "CheckBox12TimeZoomX", "CheckBox13TimeZoomY", "CheckBox14TimePolyline", "CheckBox15TimeShowItem",
                  "CheckBox42TempsEquation", "CheckBox43TempsStatistics" } },
            { "Trajectoires",
                { "CheckBox16TrajectoryNumber", "CheckBox17TrajectoryPolyline", "CheckBox18TrajectoryShowItem" } },
            { "Vecteurs",
                { "CheckBox19VectorNumber", "CheckBox20VectorDraw", "CheckBox21VectorPolyline",
                    "CheckBox22VectorShowItem", "CheckBox33VectorOrigin", "CheckBox35VectorTilted",
                    "CheckBox46VectorVideoImage", "CheckBox50VectorSpline" } },
            { "Formules",
                { "CheckBox23FormulaZoomX", "CheckBox24FormulaZoomY", "CheckBox34FormulaOriginX",
                    "CheckBox25FormulaOriginY", "CheckBox26FormulaPolyline", "CheckBox28FormulaShowItem",
                    "CheckBox44FormulaEquation", "CheckBox45FormulaStatistics" } },
            { "Modélisation", { "CheckBox51DeformationBubble", "CheckBox27ProfShowItem" } } },
        3);
    if (graphs != nullptr)
        AddSpin(*graphs, "PenSize4Graph", "Epaisseur des traits des graphes :", 0, 1000);
    BuildModesPage();
    BuildToolButtonsPage();

    layout->addLayout(MakeOkCancelRow(*this));
}

QWidget* TSettingsDialog::NewPage(const char* title)
{
    auto* page = new QWidget(m_pages);
    page->setObjectName(QStringLiteral("Page") + QString::number(m_pages->count()));
    auto* layout = new QGridLayout(page);
    layout->setAlignment(Qt::AlignTop);
    m_pages->addTab(page, T(title));
    return page;
}

QWidget* TSettingsDialog::AddCheckPage(
    const char* title, const std::vector<std::pair<const char*, std::vector<const char*>>>& groups, int columns)
{
    // A group, and a page, of settings the dialog does not offer yet is left out.
    auto shown = [](const std::vector<const char*>& names) {
        return std::any_of(names.begin(), names.end(), [](const char* n) { return SettingShownInDialog(n); });
    };
    if (std::none_of(groups.begin(), groups.end(), [&](const auto& group) { return shown(group.second); }))
        return nullptr;
    QWidget* page = NewPage(title);
    auto* grid = static_cast<QGridLayout*>(page->layout());
    int index = 0;
    for (const auto& [groupTitle, names] : groups) {
        if (!shown(names))
            continue;
        auto* box = new QGroupBox(T(groupTitle), page);
        auto* lines = new QVBoxLayout(box);
        for (const char* name : names) {
            const std::string key = std::string(name) + "_Checked";
            bool* field = m_edited.FindBool(key);
            if (field == nullptr || !SettingShownInDialog(name))
                continue;
            const auto caption = CheckCaptions().find(name);
            auto* check
                = new QCheckBox(caption == CheckCaptions().end() ? QString::fromLatin1(name) : T(caption->second), box);
            check->setObjectName(QString::fromLatin1(name));
            check->setChecked(*field);
            lines->addWidget(check);
            m_writers.push_back([check, key](TOptions& edited) { *edited.FindBool(key) = check->isChecked(); });
        }
        // Groups side by side keep the long pages within a small screen's height.
        grid->addWidget(box, index / columns, index % columns, Qt::AlignTop);
        ++index;
    }
    return page;
}

void TSettingsDialog::AddCombo(
    QWidget& page, const char* name, const char* label, const std::vector<const char*>& choices)
{
    const std::string key = std::string(name) + "_Value";
    int* field = m_edited.FindInt(key);
    if (field == nullptr || !SettingShownInDialog(name))
        return;
    auto* combo = new QComboBox(&page);
    combo->setObjectName(QString::fromLatin1(name));
    for (const char* choice : choices)
        combo->addItem(T(choice));
    // A value from the file that no choice shows is kept unless the user picks another.
    const int initial = *field;
    combo->setCurrentIndex(initial >= 0 && initial < combo->count() ? initial : -1);
    auto* grid = static_cast<QGridLayout*>(page.layout());
    const int row = grid->rowCount();
    grid->addWidget(new QLabel(T(label), &page), row, 0);
    grid->addWidget(combo, row, 1, Qt::AlignLeft);
    m_writers.push_back([combo, key, initial](TOptions& edited) {
        if (combo->currentIndex() >= 0 && combo->currentIndex() != initial)
            *edited.FindInt(key) = combo->currentIndex();
    });
}

void TSettingsDialog::AddSpin(QWidget& page, const char* name, const char* label, int low, int high, const char* hint)
{
    const std::string key = std::string(name) + "_Value";
    int* field = m_edited.FindInt(key);
    if (field == nullptr || !SettingShownInDialog(name))
        return;
    auto* spin = new QSpinBox(&page);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(low, high);
    spin->setValue(*field);
    auto* caption = new QLabel(T(label), &page);
    if (hint != nullptr) {
        spin->setToolTip(T(hint));
        caption->setToolTip(T(hint));
    }
    auto* grid = static_cast<QGridLayout*>(page.layout());
    const int row = grid->rowCount();
    grid->addWidget(caption, row, 0);
    spin->setMinimumWidth(100);
    grid->addWidget(spin, row, 1, Qt::AlignLeft);
    m_writers.push_back([spin, key](TOptions& edited) { *edited.FindInt(key) = spin->value(); });
}

void TSettingsDialog::BuildGeneralPage()
{
    QWidget* page = AddCheckPage("Général",
        { { "Confirmations",
              { "CheckBox3ConfirmationQuit", "CheckBox4ConfirmationFileChange", "CheckBox38ChangeDefaultObjectsName",
                  "CheckBox40ShowDialogBoxForHideImage" } },
            { "Fichiers récents", { "CheckBox6FreezeMRU" } } });
    AddSpin(*page, "EditMRU", "Nombre de fichiers récents :", 0, 255);

    auto* grid = static_cast<QGridLayout*>(page->layout());
    int row = grid->rowCount();
    auto* folder = new QLineEdit(QString::fromStdString(m_edited.defaultFolder), page);
    folder->setObjectName(QStringLiteral("DefaultDirectory"));
    grid->addWidget(new QLabel(T("Dossier des vidéos par défaut :"), page), row, 0);
    grid->addWidget(folder, row, 1);
    m_writers.push_back([folder](TOptions& edited) { edited.defaultFolder = folder->text().trimmed().toStdString(); });

    auto* lock = new QGroupBox(T("Mot de passe (vide : options accessibles à tous)"), page);
    auto* form = new QFormLayout(lock);
    m_password = new QLineEdit(QString::fromStdString(m_edited.password), lock);
    m_password->setObjectName(QStringLiteral("Password"));
    m_password->setEchoMode(QLineEdit::Password);
    m_confirmation = new QLineEdit(QString::fromStdString(m_edited.password), lock);
    m_confirmation->setObjectName(QStringLiteral("PasswordConfirmation"));
    m_confirmation->setEchoMode(QLineEdit::Password);
    form->addRow(T("Mot de passe :"), m_password);
    form->addRow(T("Confirmer le mot de passe :"), m_confirmation);
    grid->addWidget(lock, ++row, 0, 1, 2);
    m_writers.push_back([this](TOptions& edited) { edited.password = m_password->text().toStdString(); });

    auto* association = new QPushButton(T("Ouvrir les études « .kvl » avec Kinoval"), page);
    association->setObjectName(QStringLiteral("ButtonAssociation"));
    connect(association, &QPushButton::clicked, this, &TSettingsDialog::RegisterAssociation);
    grid->addWidget(association, ++row, 0, 1, 2, Qt::AlignLeft);
}

void TSettingsDialog::BuildPointingPage()
{
    QWidget* page = AddCheckPage(
        "Pointage", { { "Etalonnage et numéros", { "CheckBox41HorizAndVertScale", "CheckBox36StartByZero" } } });
    const std::vector<const char*> positions = { "En dessous de la marque", "A droite de la marque", "Aucun numéro" };
    AddCombo(*page, "Numerotation", "Numéros des marques (repère fixe) :", positions);
    AddCombo(*page, "NumerotationTsp", "Numéros des marques (transparent) :", positions);
    AddCombo(*page, "PenSize", "Taille des marques, des axes et de l'échelle :", { "Petite", "Moyenne", "Grande" });
}

void TSettingsDialog::BuildModesPage()
{
    QWidget* page = AddCheckPage("Modes",
        { { "Modes proposés",
              { "CheckBox47AllowTracking", "CheckBox48AllowMontage", "CheckBox49AllowCapture",
                  "CheckBox58AllowStudio" } },
            { "Suivi automatique", { "CheckBox52ShowRadiusSearch" } } });
    AddSpin(*page, "TrackingRadius", "Rayon de recherche du suivi (pixels) :", 1, 100000,
        "Un rayon de recherche important réduira la vitesse du suivi");
    const std::vector<const char*> shapes = { "Cercle", "Polygone", "Ligne libre" };
    AddCombo(*page, "ShapeNumber", "Forme du contour à suivre :", shapes);
    AddCombo(*page, "StudioShapeNumber", "Forme du contour dans l'atelier :", shapes);
}

void TSettingsDialog::BuildToolButtonsPage()
{
    // One group per page of the results window: the tools pressed when the window opens.
    const std::pair<const char*, const char*> prefixes[]
        = { { "ToolButtonTemps", "Graphes en fonction du temps" }, { "ToolButtonReferentiel", "Trajectoires" },
              { "ToolButtonVecteur", "Vecteurs" }, { "ToolButtonFormule", "Formules" } };
    bool any = false;
    for (const TBoolOption& option : TOptions::BoolOptions()) {
        const std::string_view name = WithoutEnding(option.key, "_Down");
        any = any || (name.size() != std::string_view(option.key).size() && SettingShownInDialog(name));
    }
    if (!any)
        return;
    QWidget* page = NewPage("Outils");
    auto* grid = static_cast<QGridLayout*>(page->layout());
    grid->addWidget(new QLabel(T("Outils enfoncés à l'ouverture de la fenêtre des résultats"), page), 0, 0, 1, 4);
    int index = 0;
    for (const auto& [prefix, title] : prefixes) {
        auto* box = new QGroupBox(T(title), page);
        auto* lines = new QVBoxLayout(box);
        for (const TBoolOption& option : TOptions::BoolOptions()) {
            const std::string_view key = option.key;
            const std::string_view name = WithoutEnding(key, "_Down");
            if (name.size() == key.size() || !name.starts_with(prefix) || !SettingShownInDialog(name))
                continue;
            auto* check = new QCheckBox(ToolCaption(name.substr(std::string_view(prefix).size())), box);
            check->setObjectName(QString::fromLatin1(name.data(), int(name.size())));
            check->setChecked(m_edited.*option.field);
            lines->addWidget(check);
            const auto field = option.field;
            m_writers.push_back([check, field](TOptions& edited) { edited.*field = check->isChecked(); });
        }
        grid->addWidget(box, 1, index, Qt::AlignTop);
        ++index;
    }
}

void TSettingsDialog::RegisterAssociation()
{
    std::string reason;
    const int code = RegisterKvlAssociation(AssociationFolder, AssociationProgram, m_desktop, &reason);
    if (code == kAssociationOk) {
        m_dlg.ShowMessage(TUserDlgIcon::icInformation,
            { Tr("Un double clic sur une étude « .kvl » l'ouvrira désormais avec Kinoval.") });
        return;
    }
    m_dlg.ShowMessage(TUserDlgIcon::icWarning, { Tr("Impossible d'associer les études « .kvl » à Kinoval."), reason });
}

void TSettingsDialog::accept()
{
    if (m_password->text() != m_confirmation->text()) {
        m_dlg.ShowMessage(TUserDlgIcon::icWarning,
            { Tr("Les deux saisies du mot de passe sont différentes."), Tr("Saisir deux fois le même mot de passe.") });
        m_pages->setCurrentIndex(0);
        m_confirmation->setFocus();
        m_confirmation->selectAll();
        return;
    }
    for (const auto& write : m_writers)
        write(m_edited);
    QDialog::accept();
}

bool TSettingsDialog::AskPassword(QWidget* parent, const std::string& password, TCustomUserDlg& dlg)
{
    TPasswordDialog box(parent, password, dlg);
    return box.exec() == QDialog::Accepted;
}

bool TSettingsDialog::Run(QWidget* parent, TOptions& options, TCustomUserDlg& dlg, TDesktopServices& desktop)
{
    if (!options.password.empty() && !AskPassword(parent, options.password, dlg))
        return false;
    TSettingsDialog dialog(parent, options, dlg, desktop);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    options.Assign(dialog.Edited());
    return true;
}

} // namespace kinoval
