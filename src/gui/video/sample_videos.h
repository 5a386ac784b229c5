#pragma once
// The sample videos embedded in the program: the rolling cylinder and the thrown ball, each with the text
// of its ground truth. At start the main window writes them to the temporary folder and opens one.

#include <QString>
#include <QStringList>

namespace kinoval::gui {

// Registers the embedded samples (the gui library is static: its resources need an explicit start).
// False when this build has no samples.
bool InitSampleVideos();

// ":/samples/cylindre.avi", ":/samples/parabole.avi" and their ".txt" ground truths.
QStringList SampleVideoResources();
QString SampleTruthResource(const QString& videoResource);

// Copies the samples (videos and ground truths) into folder; the paths of the videos written, or an
// empty list when one could not be written.
QStringList WriteSampleVideos(const QString& folder);

} // namespace kinoval::gui
