#pragma once
// The message window: the Qt face of the shared message dialog.
//
// TUserDlg holds the message (icon, lines, buttons, check box, delay) through TCustomUserDlg and builds a
// fresh modal window for every run, sized to its content with the arithmetic of user_dlg_layout.h, then
// destroys it. The window is laid out in logical pixels; the stock icons and glyphs are SVG pictures drawn
// at the screen's pixel ratio, so they stay sharp on HiDPI screens.
//
// Buttons are named "Btn0", "Btn1", ... in the order they were added; pressing one stores the number in
// its name as the result and closes the window. None is the default or the cancel button, so Enter and
// Escape never answer a question in the user's place. While a delay runs the buttons are disabled and the
// window cannot be closed.

#include "core/common/user_dlg.h"
#include "gui/common/user_dlg_layout.h"

#include <QIcon>
#include <QPixmap>
#include <QtGlobal>

class QDialog;

namespace kinoval {

class TUserDlg : public TCustomUserDlg {
public:
    TUserDlg();

    // The screen width the client width is computed from; 0 takes the primary screen's.
    int ScreenWidth = 0;
    // The mouse cursor over the buttons.
    Qt::CursorShape ButtonsCursor = Qt::ArrowCursor;

    // The layout the next run would have, for the current message.
    TUserDlgGeometry ComputeGeometry() const;
    // The layout of the last run.
    const TUserDlgGeometry& LastGeometry() const { return m_geometry; }

    // The pictures: a stock icon at 32 x 32, a button glyph at 16 x 16 (null for btCustom).
    static QPixmap StockIcon(TUserDlgIcon icon, qreal pixelRatio);
    static QIcon Glyph(TUserDlgButtonKind kind);

protected:
    int DoRun() override;

private:
    struct TBuilt;
    // Fills the window with the controls of the current message and returns where they stand.
    TUserDlgGeometry Build(QDialog& window, TBuilt& built) const;

    TUserDlgGeometry m_geometry;
};

} // namespace kinoval
