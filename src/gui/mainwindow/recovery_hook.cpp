#include "gui/mainwindow/recovery_hook.h"

#include "core/mainwindow/recovery.h"

namespace kinoval::gui {

TRecoveryHook::TRecoveryHook(mainwindow::TRecovery& recovery, int intervalSeconds, QObject* parent)
    : QObject(parent)
    , m_recovery(recovery)
{
    m_timer.setInterval(intervalSeconds * 1000);
    connect(&m_timer, &QTimer::timeout, this, [this] { m_recovery.Autosave(); });
    m_timer.start();
}

void TRecoveryHook::ModeChanged()
{
    m_recovery.Autosave();
}

void TRecoveryHook::StudyReplaced()
{
    m_recovery.Autosave();
}

void TRecoveryHook::StudySaved()
{
    m_recovery.Discard();
}

void TRecoveryHook::Closed()
{
    m_timer.stop();
    m_recovery.Discard();
}

} // namespace kinoval::gui
