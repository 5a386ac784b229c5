#pragma once
// The arithmetic of the message window, apart from the widgets, so that it can be checked exactly.
//
// Everything is in logical pixels of the client area. The text area's lines are laid out here too: word
// wrapping, the "... " cuts and the bullet items, so the painting widget only draws what it is given.

#include <QColor>
#include <QFontMetrics>
#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

namespace kinoval {

struct TUserDlgLine;

// The window's client width for a screen of the given width: ln(width / 150) x 220, rounded.
int UserDlgClientWidth(int screenWidth);

inline constexpr int kUserDlgMargin = 12;
inline constexpr int kUserDlgTop = 14;
inline constexpr int kUserDlgIndent = 12; // of kinds 1 and 4
inline constexpr int kUserDlgButtonHeight = 25;
inline constexpr int kUserDlgGlyphWidth = 20; // a 16-pixel glyph and the gap to the caption
inline constexpr int kUserDlgSeparatorHeight = 2;
inline const QString kUserDlgEllipsis = QStringLiteral("... ");
inline const QString kUserDlgBullet = QStringLiteral("- ");

// One drawn piece of text, in text-area coordinates (top of the line, not its baseline).
struct TUserDlgDrawnText {
    QString text;
    int x = 0;
    int y = 0;
    QColor colour;
};

struct TUserDlgLayoutButton {
    QString caption;
    bool hasGlyph = false;
};

struct TUserDlgLayoutInput {
    int screenWidth = 1024;
    QSize iconSize; // empty: no icon
    std::vector<TUserDlgLine> const* lines = nullptr;
    std::vector<TUserDlgLayoutButton> buttons;
    bool buttonsSameWidth = false;
    int buttonsMinWidth = 75;
    bool checkBox = false;
    int checkBoxHeight = 17;
};

struct TUserDlgGeometry {
    int clientWidth = 0;
    int clientHeight = 0;
    QRect icon; // null without an icon
    QRect textArea;
    std::vector<TUserDlgDrawnText> texts;
    std::vector<QRect> buttons; // in list order
    bool separatorVisible = false;
    QRect separator;
    bool checkBoxVisible = false;
    QRect checkBox;
};

// Lays out one message for the given font.
TUserDlgGeometry LayoutUserDlg(const TUserDlgLayoutInput& input, const QFontMetrics& metrics);

// The pieces of one line of text for a room of the given width, as the window shows them: word wrapping
// for kinds 0, 1 and 4 (a single word wider than the room is cut at its start behind "... "), the cut at the
// start (kind 2) or at the end (kind 3) for single lines. An empty list stands for an empty line.
std::vector<QString> WrapUserDlgText(const QString& text, int kind, int room, const QFontMetrics& metrics);
// The longest end of text that fits behind "... " in the room ("... " alone when nothing fits).
QString CutAtStart(const QString& text, int room, const QFontMetrics& metrics);
// The longest start of text that fits before "... " in the room.
QString CutAtEnd(const QString& text, int room, const QFontMetrics& metrics);

} // namespace kinoval
