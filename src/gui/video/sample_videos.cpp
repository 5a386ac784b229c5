#include "gui/video/sample_videos.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
    return {QStringLiteral(":/samples/cylindre.avi"), QStringLiteral(":/samples/parabole.avi")};
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
        for (const QString& resource : {video, SampleTruthResource(video)}) {
            const QString target = dir.filePath(QFileInfo(resource).fileName());
            QFile::remove(target);
            if (!QFile::copy(resource, target))
                return {};
            // Resource files are read-only; the copy must be replaceable at the next start.
            QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
        }
        written << dir.filePath(QFileInfo(video).fileName());
    }
    return written;
}

} // namespace kinoval::gui
