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
        { "CheckBox3ConfirmationQuit", TrNoop("Proposer d'enregistrer l'étude avant de quitter le logiciel") },
        { "CheckBox4ConfirmationFileChange", TrNoop("Proposer d'enregistrer l'étude avant d'ouvrir une autre vidéo") },
        { "CheckBox5ChangeFormulae", TrNoop("Permettre la modification des formules") },
        { "CheckBox6FreezeMRU", TrNoop("Ne pas ajouter les études enregistrées à la liste des fichiers récents") },
        { "CheckBox7SmoothAcceleration", TrNoop("Lisser le calcul de l'accélération") },
        { "CheckBox8Acceleration", TrNoop("Montrer l'accélération dans les résultats") },
        { "CheckBox9Speed", TrNoop("Montrer la vitesse dans les résultats") },
        { "CheckBox10GridShowSpeed", TrNoop("Afficher les colonnes des vitesses") },
        { "CheckBox11GridShowAcceleration", TrNoop("Afficher les colonnes des accélérations") },
        { "CheckBox12TimeZoomX", TrNoop("Ajuster l'axe horizontal aux valeurs") },
        { "CheckBox13TimeZoomY", TrNoop("Ajuster l'axe vertical aux valeurs") },
        { "CheckBox14TimePolyline", TrNoop("Relier les points") },
        { "CheckBox15TimeShowItem", TrNoop("Afficher la légende des courbes") },
        { "CheckBox16TrajectoryNumber", TrNoop("Numéroter les positions") },
        { "CheckBox17TrajectoryPolyline", TrNoop("Relier les points") },
        { "CheckBox18TrajectoryShowItem", TrNoop("Afficher la légende des courbes") },
        { "CheckBox19VectorNumber", TrNoop("Numéroter les positions") },
        { "CheckBox20VectorDraw", TrNoop("Dessiner les vecteurs") },
        { "CheckBox21VectorPolyline", TrNoop("Relier les points") },
        { "CheckBox22VectorShowItem", TrNoop("Afficher la légende des courbes") },
        { "CheckBox23FormulaZoomX", TrNoop("Ajuster l'axe horizontal aux valeurs") },
        { "CheckBox24FormulaZoomY", TrNoop("Ajuster l'axe vertical aux valeurs") },
        { "CheckBox25FormulaOriginY", TrNoop("Inclure l'origine sur l'axe vertical") },
        { "CheckBox26FormulaPolyline", TrNoop("Relier les points") },
        { "CheckBox27ProfShowItem", TrNoop("Afficher la légende des profils") },
        { "CheckBox28FormulaShowItem", TrNoop("Afficher la légende des courbes") },
        { "CheckBox29GridShowCoordinates", TrNoop("Afficher les colonnes des coordonnées") },
        { "CheckBox30HideEdgeV", TrNoop("Cacher la vitesse au début et à la fin (une marque)") },
        { "CheckBox31HideEdgeA", TrNoop("Cacher l'accélération au début et à la fin (deux marques)") },
        { "CheckBox32AngleRadian", TrNoop("Exprimer les angles en radians (en degrés par défaut)") },
        { "CheckBox33VectorOrigin", TrNoop("Tracer les vecteurs depuis la position de l'objet") },
        { "CheckBox34FormulaOriginX", TrNoop("Inclure l'origine sur l'axe horizontal") },
        { "CheckBox35VectorTilted", TrNoop("Incliner les vecteurs selon leur direction") },
        { "CheckBox36StartByZero", TrNoop("Numéroter les marques à partir de zéro (à partir de un par défaut)") },
        { "CheckBox37GridShowItem", TrNoop("Afficher le nom des objets") },
        { "CheckBox38ChangeDefaultObjectsName",
            TrNoop("Conseiller de nommer les objets avant d'afficher les résultats") },
        { "CheckBox40ShowDialogBoxForHideImage", TrNoop("Afficher une boîte de dialogue quand une image est masquée") },
        { "CheckBox41HorizAndVertScale",
            TrNoop("Etalonner avec deux échelles, l'une horizontale et l'autre verticale") },
        { "CheckBox42TempsEquation", TrNoop("Afficher l'équation du modèle") },
        { "CheckBox43TempsStatistics", TrNoop("Afficher les statistiques du modèle") },
        { "CheckBox44FormulaEquation", TrNoop("Afficher l'équation du modèle") },
        { "CheckBox45FormulaStatistics", TrNoop("Afficher les statistiques du modèle") },
        { "CheckBox46VectorVideoImage", TrNoop("Afficher l'image de la vidéo sous le graphe") },
        { "CheckBox47AllowTracking", TrNoop("Proposer le suivi automatique") },
        { "CheckBox48AllowMontage", TrNoop("Proposer le montage") },
        { "CheckBox49AllowCapture", TrNoop("Proposer la capture vidéo") },
        { "CheckBox50VectorSpline", TrNoop("Lisser la trajectoire par une spline") },
        { "CheckBox51DeformationBubble", TrNoop("Déformer la bulle des valeurs du modèle") },
        { "CheckBox52ShowRadiusSearch", TrNoop("Montrer le rayon de recherche pendant le suivi") },
        { "CheckBox53PolarQuantities", TrNoop("Calculer les grandeurs polaires (angle, rayon, vitesse angulaire)") },
        { "CheckBox54SmoothSpeed", TrNoop("Lisser le calcul de la vitesse") },
        { "CheckBox57GridShowPolarQuantities", TrNoop("Afficher les colonnes des grandeurs polaires") },
        { "CheckBox58AllowStudio", TrNoop("Proposer l'atelier vidéo") },
    };
    return captions;
}

// The captions of the results window's tool buttons, by the end of their name.
QString ToolCaption(std::string_view tool)
{
    static const std::map<std::string_view, const char*> captions = {
        { "ModeleConstant", TrNoop("Modèle constant") },
        { "ModeleAffine", TrNoop("Modèle affine") },
        { "ModeleProportionnel", TrNoop("Modèle linéaire") },
        { "ModeleParabole", TrNoop("Modèle parabolique") },
        { "ModeleSinus", TrNoop("Modèle sinusoïdal") },
        { "ModeleSinusAl", TrNoop("Modèle sinusoïdal amorti") },
        { "ModeleExponentiel", TrNoop("Modèle exponentiel") },
        { "Reticule", TrNoop("Réticule") },
        { "Angle", TrNoop("Mesurer un angle") },
        { "Arc", TrNoop("Arc de cercle") },
        { "Cercle", TrNoop("Cercle") },
        { "CurveArc", TrNoop("Arc de courbe") },
        { "Dupliquer", TrNoop("Dupliquer") },
        { "Ellipse", TrNoop("Ellipse") },
        { "Mesurer", TrNoop("Mesurer une longueur") },
        { "Segment", TrNoop("Segment") },
        { "Selection", TrNoop("Sélection") },
        { "Spline", TrNoop("Spline") },
        { "Supprimer", TrNoop("Supprimer") },
        { "Sens", TrNoop("Sens des vecteurs") },
        { "Vecteur", TrNoop("Vecteur") },
        { "Video", TrNoop("Image de la vidéo") },
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
    AddCheckPage(TrNoop("Calculs"),
        { { TrNoop("Vitesse et accélération"),
              { "CheckBox9Speed", "CheckBox8Acceleration", "CheckBox54SmoothSpeed", "CheckBox7SmoothAcceleration",
                  "CheckBox30HideEdgeV", "CheckBox31HideEdgeA" } },
            { TrNoop("Grandeurs polaires"), { "CheckBox53PolarQuantities", "CheckBox32AngleRadian" } },
            { TrNoop("Formules"), { "CheckBox5ChangeFormulae" } } });
    AddCheckPage(TrNoop("Tableau"),
        { { TrNoop("Colonnes du tableau"),
            { "CheckBox29GridShowCoordinates", "CheckBox10GridShowSpeed", "CheckBox11GridShowAcceleration",
                "CheckBox57GridShowPolarQuantities", "CheckBox37GridShowItem" } } });
    QWidget* graphs = AddCheckPage(TrNoop("Graphes"),
        { { TrNoop("Graphes en fonction du temps"),
              { "CheckBox12TimeZoomX", "CheckBox13TimeZoomY", "CheckBox14TimePolyline", "CheckBox15TimeShowItem",
                  "CheckBox42TempsEquation", "CheckBox43TempsStatistics" } },
            { TrNoop("Trajectoires"),
                { "CheckBox16TrajectoryNumber", "CheckBox17TrajectoryPolyline", "CheckBox18TrajectoryShowItem" } },
            { TrNoop("Vecteurs"),
                { "CheckBox19VectorNumber", "CheckBox20VectorDraw", "CheckBox21VectorPolyline",
                    "CheckBox22VectorShowItem", "CheckBox33VectorOrigin", "CheckBox35VectorTilted",
                    "CheckBox46VectorVideoImage", "CheckBox50VectorSpline" } },
            { TrNoop("Formules"),
                { "CheckBox23FormulaZoomX", "CheckBox24FormulaZoomY", "CheckBox34FormulaOriginX",
                    "CheckBox25FormulaOriginY", "CheckBox26FormulaPolyline", "CheckBox28FormulaShowItem",
                    "CheckBox44FormulaEquation", "CheckBox45FormulaStatistics" } },
            { TrNoop("Modélisation"), { "CheckBox51DeformationBubble", "CheckBox27ProfShowItem" } } },
        3);
    if (graphs != nullptr)
        AddSpin(*graphs, "PenSize4Graph", TrNoop("Epaisseur des traits des graphes :"), 0, 1000);
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
    QWidget* page = AddCheckPage(TrNoop("Général"),
        { { TrNoop("Confirmations"),
              { "CheckBox3ConfirmationQuit", "CheckBox4ConfirmationFileChange", "CheckBox38ChangeDefaultObjectsName",
                  "CheckBox40ShowDialogBoxForHideImage" } },
            { TrNoop("Fichiers récents"), { "CheckBox6FreezeMRU" } } });
    AddSpin(*page, "EditMRU", TrNoop("Nombre de fichiers récents :"), 0, 255);
    // The languages are named in their own language, so that each reader finds his.
    AddCombo(*page, "ComboBoxLanguage", TrNoop("Langue :"), { TrNoop("Système"), "Français", "English" });

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
    QWidget* page = AddCheckPage(TrNoop("Pointage"),
        { { TrNoop("Etalonnage et numéros"), { "CheckBox41HorizAndVertScale", "CheckBox36StartByZero" } } });
    const std::vector<const char*> positions
        = { TrNoop("En dessous de la marque"), TrNoop("A droite de la marque"), TrNoop("Aucun numéro") };
    AddCombo(*page, "Numerotation", TrNoop("Numéros des marques (repère fixe) :"), positions);
    AddCombo(*page, "NumerotationTsp", TrNoop("Numéros des marques (transparent) :"), positions);
    AddCombo(*page, "PenSize", TrNoop("Taille des marques, des axes et de l'échelle :"),
        { TrNoop("Petite"), TrNoop("Moyenne"), TrNoop("Grande") });
}

void TSettingsDialog::BuildModesPage()
{
    QWidget* page = AddCheckPage(TrNoop("Modes"),
        { { TrNoop("Modes proposés"),
              { "CheckBox47AllowTracking", "CheckBox48AllowMontage", "CheckBox49AllowCapture",
                  "CheckBox58AllowStudio" } },
            { TrNoop("Suivi automatique"), { "CheckBox52ShowRadiusSearch" } } });
    AddSpin(*page, "TrackingRadius", TrNoop("Rayon de recherche du suivi (pixels) :"), 1, 100000,
        TrNoop("Un rayon de recherche important réduira la vitesse du suivi"));
    const std::vector<const char*> shapes = { TrNoop("Cercle"), TrNoop("Polygone"), TrNoop("Ligne libre") };
    AddCombo(*page, "ShapeNumber", TrNoop("Forme du contour à suivre :"), shapes);
    AddCombo(*page, "StudioShapeNumber", TrNoop("Forme du contour dans l'atelier :"), shapes);
}

void TSettingsDialog::BuildToolButtonsPage()
{
    // One group per page of the results window: the tools pressed when the window opens.
    const std::pair<const char*, const char*> prefixes[]
        = { { "ToolButtonTemps", TrNoop("Graphes en fonction du temps") },
              { "ToolButtonReferentiel", TrNoop("Trajectoires") }, { "ToolButtonVecteur", TrNoop("Vecteurs") },
              { "ToolButtonFormule", TrNoop("Formules") } };
    bool any = false;
    for (const TBoolOption& option : TOptions::BoolOptions()) {
        const std::string_view name = WithoutEnding(option.key, "_Down");
        any = any || (name.size() != std::string_view(option.key).size() && SettingShownInDialog(name));
    }
    if (!any)
        return;
    QWidget* page = NewPage(TrNoop("Outils"));
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
    const bool languageChanged = ChosenLanguage(dialog.Edited().language) != CurrentLanguage();
    const int languageBefore = options.language;
    options.Assign(dialog.Edited());
    // The windows are made in the language of the start: another one waits for the next start.
    if (languageChanged && options.language != languageBefore)
        dlg.ShowMessage(TUserDlgIcon::icInformation,
            { Tr("La langue choisie sera celle de Kinoval à son prochain démarrage."),
                Tr("Fermer Kinoval puis le relancer pour changer de langue.") });
    return true;
}

} // namespace kinoval
