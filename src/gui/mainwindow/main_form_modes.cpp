// The tracking and montage modes in the main window: the tracker over the view and the document, its
// panel and the montage's panel in the tool bar, the view's overlay and popup entries of the tracking
// mode, and the tracker's hint in the status bar.
#include "gui/mainwindow/main_form.h"

#include "core/mainwindow/options.h"
#include "core/tracking/tracking.h"
#include "core/tracking/tracking_adapters.h"
#include "gui/montage/montage_panel.h"
#include "gui/tracking/tracking_panel.h"
#include "gui/video/video_widget.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

#include <utility>

namespace kinoval::gui {

void TMainForm::WireModePanels()
{
    video::TVideo& v = m_parts.video;
    m_trackingView = std::make_unique<tracking::TVideoTrackingView>(v);
    m_trackingDocument = std::make_unique<tracking::TDataTrackingDocument>(m_parts.data);
    m_tracking = std::make_unique<tracking::TTracking>(*m_trackingView, *m_trackingDocument, m_parts.dialog,
        m_parts.desktop, tracking::TrackingSettingsOf(m_parts.options));
    // The panel makes itself the view's tracker: entering and leaving the mode, pause, input.
    m_trackingPanel = new tracking::TTrackingPanel(
        *m_tracking, v, m_parts.data, m_parts.options, m_parts.dialog, m_parts.desktop, this);
    m_montagePanel
        = new montage::TMontagePanel(m_parts.montage, v, m_parts.data, m_parts.options, m_parts.dialog, this);

    auto pointingOverlay = std::move(m_view->buildOverlay);
    m_view->buildOverlay = [this, pointingOverlay](video::TVideoMode mode, video::TOverlay& overlay) {
        if (mode == video::vmTracking)
            m_trackingPanel->BuildOverlay(overlay);
        else if (pointingOverlay)
            pointingOverlay(mode, overlay);
    };

    // The view's popup entries of the tracking mode are the panel's own, in place of the placeholders.
    const std::pair<const char*, QAction*> entries[]
        = { { "PopupMenuTrackContour", m_trackingPanel->PopupContourAction() },
              { "PopupMenuTrackBanZone", m_trackingPanel->PopupBanZoneAction() } };
    for (const auto& [name, action] : entries) {
        if (QAction* placeholder = m_actions[name]) {
            action->setText(placeholder->text());
            m_popup->insertAction(placeholder, action);
            m_popup->removeAction(placeholder);
            delete placeholder;
        } else {
            m_popup->addAction(action);
        }
        m_actions[name] = action;
    }
    connect(m_trackingPanel, &tracking::TTrackingPanel::viewHintChanged, m_hint, &QLabel::setText);
    connect(m_trackingPanel, &tracking::TTrackingPanel::runEnded, this, [this] { UpdateAll(); });
    connect(m_trackingPanel, &tracking::TTrackingPanel::trackingChanged, this, [this] { UpdateEnabled(); });
    connect(m_montagePanel, &montage::TMontagePanel::montageChanged, this, [this] { UpdateAll(); });

    SetModeToolPanel(video::vmTracking, m_trackingPanel);
    SetModeToolPanel(video::vmMontage, m_montagePanel);
}

} // namespace kinoval::gui
