#include "gui/dialogs/properties_box.h"

#include "core/common/numbers.h"
#include "core/common/texts.h"
#include "core/video/player.h"
#include "core/video/video.h"
#include "gui/common/qt_text.h"

#include <QDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kinoval {

namespace {

// Figures in the user's decimal convention, with the digits a reader can use.
QString Figure(double value, int digits = 6)
{
    QString text = QString::number(value, 'g', digits);
    if (DecimalSeparator() == ',')
        text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

QString BackendName(int backend)
{
    switch (backend) {
    case video::bkAvi:
        return T("lecteur AVI intégré");
    case video::bkGStreamer:
        return T("GStreamer");
    case video::bkFFmpeg:
        return T("FFmpeg");
    default:
        return QString();
    }
}

} // namespace

std::vector<TPropertyLine> VideoPropertyLines(const video::TVideo& video)
{
    std::vector<TPropertyLine> lines;
    const video::TPlayer* player = video.Player();
    if (!video.IsOpened() || player == nullptr) {
        lines.push_back({ T("Fichier :"), T("aucune vidéo ouverte") });
        return lines;
    }
    const QString path = QString::fromStdString(video.FileName());
    lines.push_back({ T("Fichier :"), QFileInfo(path).fileName() });
    lines.push_back({ T("Dossier :"), QFileInfo(path).absolutePath() });
    lines.push_back({ T("Lecteur :"), BackendName(video.Backend()) });
    lines.push_back({ T("Images par seconde :"), Figure(player->FramesPerSecond()) });
    lines.push_back({ T("Durée d'une image :"), Figure(player->FrameDuration()) + T(" s") });
    lines.push_back({ T("Nombre d'images :"), QString::number(video.RawFrameCount()) });
    lines.push_back({ T("Durée :"), Figure(player->Duration()) + T(" s") });
    lines.push_back({ T("Largeur :"), QString::number(player->Width()) + T(" pixels") });
    lines.push_back({ T("Hauteur :"), QString::number(player->Height()) + T(" pixels") });
    return lines;
}

std::unique_ptr<QDialog> MakeVideoPropertiesBox(QWidget* parent, const video::TVideo& video)
{
    auto box = std::make_unique<QDialog>(parent);
    box->setObjectName(QStringLiteral("VideoPropertiesBox"));
    box->setWindowTitle(T("Propriétés de la vidéo"));
    auto* layout = new QVBoxLayout(box.get());
    auto* form = new QFormLayout;
    int n = 0;
    for (const TPropertyLine& line : VideoPropertyLines(video)) {
        auto* value = new QLabel(line.value, box.get());
        value->setObjectName(QStringLiteral("Value%1").arg(n++));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse); // a path can be copied
        form->addRow(line.label, value);
    }
    layout->addLayout(form);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto* ok = new QPushButton(T("Ok"), box.get());
    ok->setObjectName(QStringLiteral("ButtonOk"));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, box.get(), &QDialog::accept);
    row->addWidget(ok);
    layout->addLayout(row);
    return box;
}

void ShowVideoProperties(QWidget* parent, const video::TVideo& video)
{
    MakeVideoPropertiesBox(parent, video)->exec();
}

} // namespace kinoval
