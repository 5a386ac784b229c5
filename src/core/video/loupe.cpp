#include "core/video/loupe.h"

#include <algorithm>

namespace kinoval::video {

void TLoupe::Place(int viewWidth, int viewHeight)
{
    m_width = std::max(0, viewWidth / 5);
    m_height = std::max(0, viewHeight / 5);
    m_left = viewWidth - viewWidth / 5 - 2;
    m_top = 2;
}

void TLoupe::SetMagnification(int percent)
{
    m_magnification = std::clamp(percent, kLoupeMagnificationMin, kLoupeMagnificationMax);
}

int TLoupe::SourceWidth() const { return m_width * 100 / m_magnification; }
int TLoupe::SourceHeight() const { return m_height * 100 / m_magnification; }

bool TLoupe::MouseDown(TLoupeButton button, TScreenPoint local, TScreenPoint screen)
{
    const bool nearBorder = local.x < kLoupeGrabBorder || local.y < kLoupeGrabBorder ||
                            local.x >= m_width - kLoupeGrabBorder || local.y >= m_height - kLoupeGrabBorder;
    if (nearBorder && button == TLoupeButton::Left) {
        m_moving = true;
        m_last = screen;
        return false;
    }
    const int before = m_magnification;
    SetMagnification(m_magnification +
                     (button == TLoupeButton::Left ? kLoupeMagnificationStep : -kLoupeMagnificationStep));
    return before != m_magnification;
}

bool TLoupe::MouseMove(TScreenPoint screen)
{
    if (!m_moving)
        return false;
    m_left += screen.x - m_last.x;
    m_top += screen.y - m_last.y;
    m_last = screen;
    return true;
}

} // namespace kinoval::video
