#pragma once
// How the view and the measurement document meet.
//
// TDocumentInput is the view's receiver in the pointing modes: it hands mouse and keys to TData in the
// document's own terms and tells the view which cursor the document's tool wants (the marking cross bears
// the digit of the object to mark next when several objects are followed). BuildDocumentOverlay turns the
// document's cached screen positions into the shapes the widget paints: with the scale tool the scale
// only; in transparent pointing the sheet, then the transparent marks; otherwise the fixed axes, then the
// fixed-frame marks; an erase rectangle being drawn comes first.
//
// LinkDocument wires both ways: the document gets the view as its TDocumentView, the view gets the
// receiver and the last pointed frame; the document follows the view's opens (the time base) and its
// entering fixed pointing (the tool) for as long as the connections it answers are kept. Resetting the
// document for a new study stays with the main window, before it opens the video.

#include "core/document/data.h"
#include "core/video/overlay.h"
#include "core/video/video.h"

namespace kinoval::video {

class TDocumentInput : public TViewInputReceiver {
public:
    TDocumentInput(document::TData& data, TVideo& video)
        : m_data(data)
        , m_video(video)
    {
    }

    void MouseDown(TMouseButton button, TShiftState shift, TScreenPoint p) override;
    void MouseMove(TShiftState shift, TScreenPoint p) override;
    void MouseUp(TMouseButton button, TShiftState shift, TScreenPoint p) override;
    bool KeyDown(int key, TShiftState shift) override;
    TCursorChoice Cursor() const override;
    void RefreshScreenPositions() override { m_data.RefreshScreenPositions(); }

private:
    document::TData& m_data;
    TVideo& m_video;
};

void BuildDocumentOverlay(document::TData& data, const TVideo& video, TOverlay& overlay);

[[nodiscard]] TConnections LinkDocument(TVideo& video, document::TData& data, TDocumentInput& input);

} // namespace kinoval::video
