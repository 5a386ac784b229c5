#pragma once
// The window's side of the copies of unsaved studies (core/mainwindow/recovery.h): a timer for the minute,
// and the moments the window tells of. The main window calls the four event methods and nothing else.

#include <QObject>
#include <QTimer>

namespace kinoval::mainwindow {
class TRecovery;
}

namespace kinoval::gui {

class TRecoveryHook : public QObject {
public:
    TRecoveryHook(mainwindow::TRecovery& recovery, int intervalSeconds, QObject* parent = nullptr);

    // Pointing left for another mode (or came back): a copy of what was just done.
    void ModeChanged();
    // A new video or study in the window: without changes it needs no copy (the old one goes).
    void StudyReplaced();
    // The study is on the disk, or the window closes normally: the copy goes.
    void StudySaved();
    void Closed();

private:
    mainwindow::TRecovery& m_recovery;
    QTimer m_timer;
};

} // namespace kinoval::gui
