#include "gui/dialogs/record_montage_dialog.h"

#include "core/common/numbers.h"
#include "core/common/user_dlg.h"
#include "gui/common/qt_text.h"
#include "gui/dialogs/dialog_buttons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

namespace kinoval::montage {

namespace {

QSpinBox* Spin(QWidget* parent, const char* name, const QString& accessible, int low, int high, int value)
{
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QLatin1String(name));
    spin->setAccessibleName(accessible);
    spin->setRange(low, high);
    spin->setValue(value);
    return spin;
}

QString RateText(double fps)
{
    return Q(FormatFileDouble(std::round(fps * 1000) / 1000));
}

} // namespace

TBoiteRecordMontage::TBoiteRecordMontage(
    const TRecordOptions& options, const TRecordDialogFacts& facts, TCustomUserDlg& dlg, QWidget* parent)
    : QDialog(parent)
    , m_facts(facts)
    , m_dlg(dlg)
    , m_initial(options)
{
    setObjectName(QStringLiteral("BoiteRecordMontage"));
    setWindowTitle(facts.job == TRecordJob::Pictures ? T("Décomposer une vidéo en fichiers images")
            : facts.job == TRecordJob::Assembly      ? T("Créer une vidéo à partir de fichiers images")
                                                     : T("Enregistrer le montage dans un fichier vidéo"));
    setModal(true);
    const bool video = facts.job != TRecordJob::Pictures;
    auto* layout = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    layout->addLayout(columns);
    auto* left = new QVBoxLayout;
    columns->addLayout(left, 3);

    if (video) {
        auto* writer = new QGroupBox(T("Cadre de travail"), this);
        auto* form = new QFormLayout(writer);
        m_framework = new QComboBox(writer);
        m_framework->setObjectName(QStringLiteral("ComboBoxFramework"));
        m_framework->setAccessibleName(T("Cadre de travail"));
        for (int f = 0; f < kFrameworkCount; ++f) {
            if (static_cast<std::size_t>(f) < facts.codecs.size() && !facts.codecs[static_cast<std::size_t>(f)].empty())
                m_framework->addItem(QLatin1String(FrameworkName(f)), f);
        }
        form->addRow(T("Cadre de travail :"), m_framework);
        m_codec = new QComboBox(writer);
        m_codec->setObjectName(QStringLiteral("ComboBoxCodec"));
        m_codec->setAccessibleName(T("Codeur de compression"));
        form->addRow(T("Codeur de compression :"), m_codec);
        m_quality = Spin(writer, "SpinEditQuality", T("Qualité de la compression"), 10, 100, options.quality);
        form->addRow(T("Qualité de la compression :"), m_quality);
        m_keyFrames = Spin(writer, "SpinEditKeyFrames", T("Nombre d'images séparant deux images clé"), 1, 250,
            options.keyFrameInterval);
        form->addRow(T("Nombre d'images séparant deux images clé :"), m_keyFrames);
        auto* notes = new QLabel(T("Les différents codecs ne sont pas normalisés. Ils sont évolutifs et présentent "
                                   "des versions successives.")
                + QStringLiteral("\n") + T("Le choix du codec nécessite souvent des tâtonnements."),
            writer);
        notes->setWordWrap(true);
        form->addRow(notes);
        left->addWidget(writer);
    }

    auto* images = new QGroupBox(T("Images"), this);
    auto* imageLayout = new QVBoxLayout(images);
    m_modify = new QCheckBox(T("Modifier les images"), images);
    m_modify->setObjectName(QStringLiteral("CheckBoxModify"));
    m_modify->setChecked(options.modifyImages);
    imageLayout->addWidget(m_modify);
    auto* choice = new QHBoxLayout;
    m_resize = new QRadioButton(T("Redimensionner"), images);
    m_resize->setObjectName(QStringLiteral("RadioButtonResize"));
    m_crop = new QRadioButton(T("Recadrer"), images);
    m_crop->setObjectName(QStringLiteral("RadioButtonCrop"));
    (options.crop ? m_crop : m_resize)->setChecked(true);
    choice->addWidget(m_resize);
    choice->addWidget(m_crop);
    imageLayout->addLayout(choice);
    auto* sizes = new QFormLayout;
    m_width
        = Spin(images, "SpinEditWidth", T("Largeur"), 0, 10000, options.width > 0 ? options.width : facts.sourceWidth);
    m_height = Spin(
        images, "SpinEditHeight", T("Hauteur"), 0, 10000, options.height > 0 ? options.height : facts.sourceHeight);
    m_top = Spin(images, "SpinEditTop", T("En haut"), 0, MaxCropTopBottom(facts.sourceHeight), options.cropTop);
    m_bottom = Spin(images, "SpinEditBottom", T("En bas"), 0, MaxCropTopBottom(facts.sourceHeight), options.cropBottom);
    m_sides = Spin(
        images, "SpinEditSides", T("A gauche et à droite"), 0, MaxCropSides(facts.sourceWidth), options.cropSides);
    sizes->addRow(T("Largeur (pixels) :"), m_width);
    sizes->addRow(T("Hauteur (pixels) :"), m_height);
    sizes->addRow(T("Recadrer en haut (pixels) :"), m_top);
    sizes->addRow(T("Recadrer en bas (pixels) :"), m_bottom);
    sizes->addRow(T("Recadrer à gauche et à droite (pixels) :"), m_sides);
    imageLayout->addLayout(sizes);
    left->addWidget(images);

    if (video) {
        auto* timing = new QGroupBox(T("Modifier la cadence des images"), this);
        auto* form = new QFormLayout(timing);
        m_rate = new QLineEdit(
            RateText(options.framesPerSecond > 0 ? options.framesPerSecond : facts.videoFramesPerSecond), timing);
        m_rate->setObjectName(QStringLiteral("EditCadence"));
        m_rate->setAccessibleName(T("Nombre d'images par seconde"));
        form->addRow(T("Nombre d'images par seconde :"), m_rate);
        if (facts.job == TRecordJob::MontageVideo) {
            m_blank = new QCheckBox(
                T("Insérer des images vides dans la nouvelle vidéo pour les images manquantes du montage"), timing);
            m_blank->setObjectName(QStringLiteral("CheckBoxBlankFrames"));
            m_blank->setChecked(options.blankFrames);
            m_blank->setEnabled(facts.missingFrames > 0);
            form->addRow(m_blank);
        }
        left->addWidget(timing);
    } else {
        auto* hidden = new QLabel(
            T("Les images de la vidéo masquées lors du montage ne seront pas converties en images fixes"), this);
        hidden->setWordWrap(true);
        left->addWidget(hidden);
    }

    auto* summaryBox = new QGroupBox(T("Résumé"), this);
    auto* summaryLayout = new QVBoxLayout(summaryBox);
    m_summary = new QLabel(summaryBox);
    m_summary->setObjectName(QStringLiteral("LabelSummary"));
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_summary->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_summary->setMinimumWidth(300);
    summaryLayout->addWidget(m_summary);
    if (video) {
        auto* about = new QLabel(T("Kinoval sélectionne un cadre de travail (VFW, DS ou FFMpeg).")
                + QStringLiteral("\n") + T("Changer de cadre de travail implique :") + QStringLiteral("\n- ")
                + T("un choix de codecs différent") + QStringLiteral("\n- ")
                + T("une différence de qualité de la vidéo"),
            summaryBox);
        about->setWordWrap(true);
        summaryLayout->addWidget(about);
    }
    summaryLayout->addStretch(1);
    columns->addWidget(summaryBox, 2);
    layout->addLayout(MakeOkCancelRow(*this));

    if (m_framework != nullptr) {
        const int at = m_framework->findData(options.framework);
        m_framework->setCurrentIndex(at >= 0 ? at : 0);
        FrameworkChanged();
        const int codec = m_codec->findText(Q(options.codec));
        if (codec >= 0)
            m_codec->setCurrentIndex(codec);
        connect(m_framework, &QComboBox::currentIndexChanged, this, [this] {
            FrameworkChanged();
            Refresh();
        });
        connect(m_codec, &QComboBox::currentIndexChanged, this, &TBoiteRecordMontage::Refresh);
    }
    for (QSpinBox* spin : { m_width, m_height, m_top, m_bottom, m_sides })
        connect(spin, &QSpinBox::valueChanged, this, &TBoiteRecordMontage::Refresh);
    for (QCheckBox* box : { m_modify, m_blank })
        if (box != nullptr)
            connect(box, &QCheckBox::toggled, this, &TBoiteRecordMontage::Refresh);
    connect(m_crop, &QRadioButton::toggled, this, &TBoiteRecordMontage::Refresh);
    if (m_rate != nullptr)
        connect(m_rate, &QLineEdit::textChanged, this, &TBoiteRecordMontage::Refresh);
    Refresh();
}

void TBoiteRecordMontage::FrameworkChanged()
{
    m_codec->clear();
    const int f = m_framework->currentData().toInt();
    if (f >= 0 && static_cast<std::size_t>(f) < m_facts.codecs.size())
        for (const std::string& name : m_facts.codecs[static_cast<std::size_t>(f)])
            m_codec->addItem(Q(name));
}

TRecordOptions TBoiteRecordMontage::Options() const
{
    TRecordOptions o = m_initial;
    if (m_framework != nullptr) {
        o.framework = m_framework->currentData().toInt();
        o.codec = m_codec->currentText().toStdString();
        o.quality = m_quality->value();
        o.keyFrameInterval = m_keyFrames->value();
    }
    o.modifyImages = m_modify->isEnabled() && m_modify->isChecked();
    o.crop = m_crop->isChecked();
    o.width = m_width->value();
    o.height = m_height->value();
    o.cropTop = m_top->value();
    o.cropBottom = m_bottom->value();
    o.cropSides = m_sides->value();
    if (m_rate != nullptr) {
        const auto rate = ParseTypedNumber(m_rate->text().toStdString());
        o.framesPerSecond = rate ? *rate : 0;
    }
    o.blankFrames = m_blank != nullptr && m_blank->isEnabled() && m_blank->isChecked();
    return o;
}

QStringList TBoiteRecordMontage::SummaryText() const
{
    const TRecordOptions o = Options();
    TSummaryFacts facts;
    facts.pictures = m_facts.job == TRecordJob::Pictures;
    facts.format = m_facts.format;
    facts.totalFrames = m_facts.visibleFrames + (o.blankFrames ? m_facts.missingFrames : 0);
    facts.framesPerSecond = o.framesPerSecond;
    facts.size = OutputSize(o, m_facts.sourceWidth, m_facts.sourceHeight);
    QStringList lines;
    for (const std::string& line : SummaryLines(o, facts))
        lines << Q(line);
    return lines;
}

void TBoiteRecordMontage::Refresh()
{
    // The timeline renders the source's frames as they are, missing frames as gaps.
    const bool timeline = m_framework != nullptr && m_framework->currentData().toInt() == fwGes;
    m_modify->setEnabled(!timeline);
    if (m_blank != nullptr)
        m_blank->setEnabled(!timeline && m_facts.missingFrames > 0);
    if (m_rate != nullptr)
        m_rate->setEnabled(!timeline);
    const bool modify = m_modify->isChecked() && !timeline;
    const bool crop = m_crop->isChecked();
    m_resize->setEnabled(modify);
    m_crop->setEnabled(modify);
    m_width->setEnabled(modify && !crop);
    m_height->setEnabled(modify && !crop);
    m_top->setEnabled(modify && crop);
    m_bottom->setEnabled(modify && crop);
    m_sides->setEnabled(modify && crop);
    if (m_framework != nullptr) {
        const bool compressed = m_codec->currentText() != QLatin1String(kNoCodec);
        m_quality->setEnabled(compressed);
        m_keyFrames->setEnabled(compressed && m_framework->currentData().toInt() != fwAvi);
    }
    m_summary->setText(SummaryText().join(QLatin1Char('\n')));
}

void TBoiteRecordMontage::accept()
{
    if (m_rate != nullptr) {
        const auto rate = ParseTypedNumber(m_rate->text().toStdString());
        if (!rate || !(*rate >= 0.1 && *rate <= 1000)) {
            m_dlg.ShowMessage(
                TUserDlgIcon::icWarning, { Tr("Le nombre d'images par seconde doit être compris entre 0,1 et 1000.") });
            m_rate->setFocus();
            m_rate->selectAll();
            return;
        }
    }
    const TRecordOptions o = Options();
    const TFrameSize size = OutputSize(o, m_facts.sourceWidth, m_facts.sourceHeight);
    if (o.framework == fwFFmpeg && (size.width % 2 != 0 || size.height % 2 != 0)) {
        m_dlg.ShowMessage(TUserDlgIcon::icWarning,
            { Tr("Certains codecs imposent des restrictions aux dimensions des images."),
                Tr("La largeur et la hauteur des images doivent être paires pour ce codeur.") });
        return;
    }
    QDialog::accept();
}

} // namespace kinoval::montage
