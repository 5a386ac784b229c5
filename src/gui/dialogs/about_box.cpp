#include "gui/dialogs/about_box.h"

#include "core/common/texts.h"
#include "core/common/version.h"
#include "gui/common/gui_version.h"
#if __has_include("media/media_versions.h")
#include "media/media_versions.h"
#define KINOVAL_ABOUT_MEDIA 1
#endif

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kinoval {

QStringList AboutLines()
{
    QStringList lines;
    lines << QString::fromStdString(FormatText("%s version %s", { kProductName, kVersion }));
    lines << QString::fromStdString(Tr("Mesure du mouvement sur une vidéo, pour l'enseignement de la physique."));
    lines << QString::fromStdString(Tr("Pointage des positions, étalonnage, tableaux, graphes et modélisation."));
    lines << QString();
    lines << QString::fromStdString(FormatText(Tr("Interface : Qt %s"), { gui::RunningQtVersion().toStdString() }));
#ifdef KINOVAL_ABOUT_MEDIA
    lines << QString::fromStdString(FormatText(Tr("Vidéo : %s"), { media::LinkedLibraryVersions() }));
#else
    lines << QString::fromStdString(Tr("Vidéo : lecteurs FFmpeg et GStreamer absents de cette version"));
#endif
    return lines;
}

std::unique_ptr<QDialog> MakeAboutBox(QWidget* parent)
{
    auto box = std::make_unique<QDialog>(parent);
    box->setObjectName(QStringLiteral("AboutBox"));
    box->setWindowTitle(QString::fromStdString(FormatText(Tr("A propos de %s"), { kProductName })));
    auto* layout = new QVBoxLayout(box.get());
    const QStringList lines = AboutLines();
    auto* title = new QLabel(QStringLiteral("<b>%1</b>").arg(lines.front().toHtmlEscaped()), box.get());
    layout->addWidget(title);
    auto* text = new QLabel(lines.mid(1).join(QLatin1Char('\n')), box.get());
    text->setObjectName(QStringLiteral("LabelAbout"));
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(text);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto* ok = new QPushButton(QString::fromStdString(Tr("Ok")), box.get());
    ok->setObjectName(QStringLiteral("ButtonOk"));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, box.get(), &QDialog::accept);
    row->addWidget(ok);
    layout->addLayout(row);
    return box;
}

void ShowAboutBox(QWidget* parent)
{
    MakeAboutBox(parent)->exec();
}

} // namespace kinoval
