#include "gui/video/sample_videos.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

#ifdef KINOVAL_HAVE_SAMPLES
// Outside any namespace: the resource compiler's start function is a global one.
static bool InitSampleResource()
{
    Q_INIT_RESOURCE(kinoval_samples);
    return true;
}
#endif

namespace kinoval::gui {

bool InitSampleVideos()
{
#ifdef KINOVAL_HAVE_SAMPLES
    static const bool done = InitSampleResource();
    return done && QFile::exists(QStringLiteral(":/samples/cylindre.avi"));
#else
    return false;
#endif
}

QStringList SampleVideoResources()
{
    return { QStringLiteral(":/samples/cylindre.avi"), QStringLiteral(":/samples/parabole.avi") };
}

QString SampleTruthResource(const QString& videoResource)
{
    QString truth = videoResource;
    truth.replace(QStringLiteral(".avi"), QStringLiteral(".txt"));
    return truth;
}

QStringList WriteSampleVideos(const QString& folder)
{
    QStringList written;
    if (!InitSampleVideos())
        return {};
    QDir dir(folder);
    for (const QString& video : SampleVideoResources()) {
        for (const QString& resource : { video, SampleTruthResource(video) }) {
            const QString target = dir.filePath(QFileInfo(resource).fileName());
            // Written beside the target under a name of this process, then renamed over it: a second
            // program starting at the same moment never sees a missing or half-written sample.
            const QString part = target + QStringLiteral(".%1.part").arg(QCoreApplication::applicationPid());
            QFile::remove(part);
            if (!QFile::copy(resource, part))
                return {};
            // Resource files are read-only; the copy must be replaceable at the next start.
            QFile::setPermissions(part, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
            std::error_code error;
            std::filesystem::rename(part.toStdString(), target.toStdString(), error);
            if (error) {
                QFile::remove(part);
                return {};
            }
        }
        written << dir.filePath(QFileInfo(video).fileName());
    }
    return written;
}

} // namespace kinoval::gui
