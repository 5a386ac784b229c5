#include "gui/montage/record_ui.h"

#include "core/montage/record_commands.h"
#include "gui/common/qt_text.h"
#include "gui/dialogs/record_montage_dialog.h"
#include "media/ges_render.h"
#include "media/montage_writers.h"

#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <QProgressDialog>
#include <QPushButton>

#include <cstring>

namespace kinoval::montage {

namespace {

bool ReadPicture(const std::string& fileName, TRgbImage& picture)
{
    QImageReader reader(Q(fileName));
    reader.setAutoTransform(true); // a camera's picture the right way up
    // Pictures of a classroom video; a damaged header must not make Qt allocate gigabytes.
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > 16384 || size.height() > 16384))
        return false;
    QImage image = reader.read();
    if (image.isNull())
        return false;
    image = image.convertToFormat(QImage::Format_RGB888);
    TRgbImage out(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(out.Row(y), image.constScanLine(y), static_cast<std::size_t>(image.width()) * 3);
    picture = std::move(out);
    return true;
}

} // namespace

TRecordUi::TRecordUi(TRecordCommands& commands, TCustomUserDlg& dlg, QWidget* parent)
    : QObject(parent)
    , m_commands(commands)
    , m_dlg(dlg)
    , m_parent(parent)
{
    m_commands.makeWriter = [](int framework) { return media::MakeMovieWriter(framework); };
    m_commands.readPicture = ReadPicture;
    if (media::TimelineRendererAvailable()) {
        m_commands.timelineCodecs = { kNoCodec, media::kAviMjpegCodec };
        m_commands.renderTimeline = [](const TRecordCommands::TTimelineJob& job,
                                        const std::function<bool(double)>& progress, std::string& errorText) {
            media::TGesJob ges;
            ges.source = job.source;
            ges.output = job.output;
            ges.blocks = job.blocks;
            ges.framesPerSecond = job.framesPerSecond;
            ges.mjpeg = job.codec == media::kAviMjpegCodec;
            ges.quality = job.quality;
            return media::RenderTimeline(ges, progress, &errorText);
        };
    }
    m_commands.askOptions = [this](TRecordOptions& options, const TRecordDialogFacts& facts) {
        TBoiteRecordMontage dialog(options, facts, m_dlg, m_parent);
        const int result = execDialog ? execDialog(dialog) : dialog.exec();
        if (result != QDialog::Accepted)
            return false;
        options = dialog.Options();
        return true;
    };
    m_commands.progressBegin = [this](const std::string& title, int total) {
        delete m_progress;
        m_progress = new QProgressDialog(Q(title), T("Annuler"), 0, total, m_parent);
        m_progress->setObjectName(QStringLiteral("ProgressRecord"));
        m_progress->setWindowTitle(Q(title));
        m_progress->setAccessibleName(T("Progression de l'enregistrement"));
        m_progress->setWindowModality(Qt::WindowModal);
        m_progress->setAutoClose(false);
        m_progress->setAutoReset(false);
        m_progress->setMinimumDuration(0);
        m_progress->setValue(0);
        m_progress->show();
        connect(m_progress, &QProgressDialog::canceled, this, [this] { m_commands.Cancel(); });
    };
    m_commands.progressStep = [this](int done, int) {
        if (m_progress != nullptr)
            m_progress->setValue(done);
        // The window's events run once a frame: repaints, and a press on "Annuler".
        QCoreApplication::processEvents();
    };
    m_commands.progressEnd = [this] {
        if (m_progress != nullptr) {
            m_progress->hide();
            m_progress->deleteLater();
            m_progress = nullptr;
        }
    };
}

QProgressDialog* TRecordUi::Progress() const
{
    return m_progress;
}

} // namespace kinoval::montage
