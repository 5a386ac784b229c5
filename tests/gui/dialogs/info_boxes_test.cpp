#include "gui/dialogs/about_box.h"
#include "gui/dialogs/properties_box.h"

#include "core/common/numbers.h"
#include "core/common/version.h"
#include "core/video/video.h"
#include "support/synthetic_player.h"

#include <QDialog>
#include <QLabel>

#include <gtest/gtest.h>

#include <map>

namespace kinoval {
namespace {

TEST(VideoPropertiesBox, ShowsTheOpenVideosFigures)
{
    test::TSyntheticFactory factory;
    factory.video.width = 320;
    factory.video.height = 240;
    factory.video.frames = 50;
    factory.video.fps = 25;
    test::TManualTimer timer;
    video::TVideo view(factory, timer);

    const auto closed = VideoPropertyLines(view);
    ASSERT_EQ(closed.size(), 1u);
    EXPECT_EQ(closed[0].value.toStdString(), "aucune vidéo ouverte");

    ASSERT_TRUE(view.Open("/tmp/chute libre.avi"));
    SetDecimalSeparator(',');
    const auto lines = VideoPropertyLines(view);
    SetDecimalSeparator(0);
    std::map<std::string, std::string> byLabel;
    for (const auto& line : lines)
        byLabel[line.label.toStdString()] = line.value.toStdString();
    EXPECT_EQ(byLabel["Fichier :"], "chute libre.avi");
    EXPECT_EQ(byLabel["Images par seconde :"], "25");
    EXPECT_EQ(byLabel["Durée d'une image :"], "0,04 s");
    EXPECT_EQ(byLabel["Nombre d'images :"], "50");
    EXPECT_EQ(byLabel["Largeur :"], "320 pixels");
    EXPECT_EQ(byLabel["Hauteur :"], "240 pixels");
    EXPECT_EQ(byLabel["Lecteur :"], "FFmpeg");

    const auto box = MakeVideoPropertiesBox(nullptr, view);
    auto* first = box->findChild<QLabel*>(QStringLiteral("Value0"));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->text().toStdString(), "chute libre.avi");
}

TEST(AboutBox, NamesTheProgramItsVersionAndTheLibraries)
{
    const QStringList lines = AboutLines();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.front().toStdString(), std::string(kProductName) + " version " + kVersion);
    const QString all = lines.join(QLatin1Char('\n'));
    EXPECT_TRUE(all.contains(QLatin1String("Qt ")));
    EXPECT_TRUE(all.contains(QLatin1String("libavcodec")));
    EXPECT_TRUE(all.contains(QLatin1String("GStreamer")));
    const auto box = MakeAboutBox(nullptr);
    EXPECT_NE(box->findChild<QLabel*>(QStringLiteral("LabelAbout")), nullptr);
}

} // namespace
} // namespace kinoval
