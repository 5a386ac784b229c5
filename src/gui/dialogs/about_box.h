#pragma once
// The about box: the program's name and version, what it is for, and the versions of the libraries this
// build runs on (Qt, and FFmpeg and GStreamer when the media back-ends are built in), which is what a
// teacher reporting a video that will not open needs to quote.

#include <QString>
#include <QStringList>

#include <memory>

class QDialog;
class QWidget;

namespace kinoval {

// The lines of the box, first the name and version.
QStringList AboutLines();

// The box, not yet shown; its text is the label "LabelAbout".
std::unique_ptr<QDialog> MakeAboutBox(QWidget* parent);

void ShowAboutBox(QWidget* parent);

} // namespace kinoval
