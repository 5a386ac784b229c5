#include "gui/mainwindow/properties_box.h"

#include "core/common/numbers.h"
#include "core/common/texts.h"
#include "core/video/player.h"
#include "core/video/video.h"

#include <QDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kinoval {

namespace {

QString Text(std::string_view french)
{
    return QString::fromStdString(Tr(french));
}

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
    case video::bkVfw:
        return Text("lecteur AVI intégré");
    case video::bkDirectShow:
        return Text("GStreamer");
    case video::bkFFmpeg:
        return Text("FFmpeg");
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
        lines.push_back({ Text("Fichier :"), Text("aucune vidéo ouverte") });
        return lines;
    }
    const QString path = QString::fromStdString(video.FileName());
    lines.push_back({ Text("Fichier :"), QFileInfo(path).fileName() });
    lines.push_back({ Text("Dossier :"), QFileInfo(path).absolutePath() });
    lines.push_back({ Text("Lecteur :"), BackendName(video.Backend()) });
    lines.push_back({ Text("Images par seconde :"), Figure(player->FramesPerSecond()) });
    lines.push_back({ Text("Durée d'une image :"), Figure(player->FrameDuration()) + Text(" s") });
    lines.push_back({ Text("Nombre d'images :"), QString::number(video.RawFrameCount()) });
    lines.push_back({ Text("Durée :"), Figure(player->Duration()) + Text(" s") });
    lines.push_back({ Text("Largeur :"), QString::number(player->Width()) + Text(" pixels") });
    lines.push_back({ Text("Hauteur :"), QString::number(player->Height()) + Text(" pixels") });
    return lines;
}

std::unique_ptr<QDialog> MakeVideoPropertiesBox(QWidget* parent, const video::TVideo& video)
{
    auto box = std::make_unique<QDialog>(parent);
    box->setObjectName(QStringLiteral("VideoPropertiesBox"));
    box->setWindowTitle(Text("Propriétés de la vidéo"));
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
    auto* ok = new QPushButton(Text("Ok"), box.get());
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
