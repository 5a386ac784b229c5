#pragma once
// The video properties box: what the open video is made of (file, reader, frame rate, size, frame count,
// durations), one labelled line each, with an "Ok" button.

#include <QString>

#include <memory>
#include <vector>

class QDialog;
class QWidget;

namespace kinoval {

namespace video {
class TVideo;
}

struct TPropertyLine {
    QString label;
    QString value;
};

// The lines of the box; only the file line when no video is open.
std::vector<TPropertyLine> VideoPropertyLines(const video::TVideo& video);

// The box, not yet shown (tests look into it); its value labels are "Value0", "Value1", ...
std::unique_ptr<QDialog> MakeVideoPropertiesBox(QWidget* parent, const video::TVideo& video);

void ShowVideoProperties(QWidget* parent, const video::TVideo& video);

} // namespace kinoval
