#pragma once
// Connects the montage to the view and the document: the view's montage numbering and hidden frames, the
// document's corrected frame numbers, and what hiding a frame does to the marks.

#include "core/common/signal.h"

#include <functional>

namespace kinoval {
namespace document {
class TData;
}
namespace video {
class TVideo;
}
namespace montage {

class TMontage;

// explainHiding gives the settings flag that lets hiding a frame explain itself (unset: always).
// For as long as the connections answered are kept, every video opened re-initialises the montage to its
// frame count, and leaving the montage mode leaves the montage.
[[nodiscard]] TConnections ConnectMontage(
    TMontage& montage, document::TData& data, video::TVideo& view, std::function<bool()> explainHiding = {});

} // namespace montage
} // namespace kinoval
