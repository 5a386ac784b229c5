#pragma once
// The message dialog contract.
//
// Every message the program shows goes through one shared instance of a TCustomUserDlg: the caller sets
// the icon, clears the buttons and adds its own, adds the text lines, optionally a check box, and runs it.
// Run returns the 0-based index of the pressed button, in the order the buttons were added. After a run the
// check box state is in CheckBoxCheck, and the text lines and the check box caption are cleared, so every
// run starts with no text and no check box; the buttons stay until a caller clears them.
//
// This class holds the whole state and the run protocol; the window that shows it is gui's TUserDlg, and
// tests use a scripted double that records what it was asked to show.

#include "core/common/colour.h"

#include <string>
#include <vector>

namespace kinoval {

enum class TUserDlgIcon { icCustom, icWarning, icError, icInformation, icConfirmation, icNone };

enum class TUserDlgButtonKind {
    btOk,
    btAnnuler,
    btIgnorer,
    btAbandonner,
    btTous,
    btQuitter,
    btAide,
    btRecommencer,
    btEnregistrer,
    btCustom
};

// Line kinds: 0 wrapped paragraph, 1 wrapped and indented by 12 px, 2 single line cut at its start,
// 3 single line cut at its end, 4 bullet item.
enum TUserDlgLineKind : int { lkParagraph = 0, lkIndented = 1, lkCutStart = 2, lkCutEnd = 3, lkBullet = 4 };

struct TUserDlgButton {
    std::string caption;
    TUserDlgButtonKind kind = TUserDlgButtonKind::btCustom;
};

struct TUserDlgLine {
    std::string text;
    int kind = lkParagraph;
    TColor colour = clBlack;
};

struct TUserDlgFont {
    std::string name = "Arial";
    int size = 10;
};

class TCustomUserDlg {
public:
    static constexpr int kMinimumDelay = 500; // shorter delays have no effect
    static constexpr int kMinimumButtonWidth = 20;

    virtual ~TCustomUserDlg() = default;

    std::string Title = "Kinoval";
    TUserDlgFont Font;
    // The window colour; kSystemColour stands for the desktop's button-face colour.
    static constexpr TColor kSystemColour = 0xFF000000u;
    TColor BackColor = kSystemColour;
    bool ButtonsShowGlyph = true;
    bool ButtonsSameWidth = false;
    std::string CheckBoxCaption;
    bool CheckBoxCheck = false;

    TUserDlgIcon Icon() const { return m_icon; }
    void SetIcon(TUserDlgIcon icon) { m_icon = icon; }
    // A picture of the caller's own (a resource or file name); setting it selects icCustom.
    const std::string& CustomIcon() const { return m_customIcon; }
    void SetCustomIcon(const std::string& picture)
    {
        m_customIcon = picture;
        m_icon = TUserDlgIcon::icCustom;
    }

    int ButtonsMinWidth() const { return m_buttonsMinWidth; }
    void SetButtonsMinWidth(int width)
    {
        m_buttonsMinWidth = width < kMinimumButtonWidth ? kMinimumButtonWidth : width;
    }

    void ClearButtons() { m_buttons.clear(); }
    void AddButton(const std::string& caption, TUserDlgButtonKind kind) { m_buttons.push_back({ caption, kind }); }
    const std::vector<TUserDlgButton>& Buttons() const { return m_buttons; }

    // A text with CR LF pairs in it becomes several lines of the same kind and colour.
    void AddText(const std::string& text, int kind = lkParagraph, TColor colour = clBlack);
    const std::vector<TUserDlgLine>& Lines() const { return m_lines; }

    // Buttons stay disabled for this many milliseconds on the next run only; below 500 nothing happens.
    void SetDelay(int milliseconds) { m_delay = milliseconds; }
    int Delay() const { return m_delay; }
    int EffectiveDelay() const { return m_delay >= kMinimumDelay ? m_delay : 0; }

    // Shows the message and returns the index of the pressed button (or -1 when the window was closed
    // without one).
    int Run();

    // The usual case in one call: icon, a single "Ok" button, the lines, run.
    int ShowMessage(TUserDlgIcon icon, const std::vector<std::string>& lines);

    int Result() const { return m_result; }

protected:
    // Shows the window for the current state and returns the pressed button's index; the check box's
    // final state is written to CheckBoxCheck by the implementation.
    virtual int DoRun() = 0;

private:
    TUserDlgIcon m_icon = TUserDlgIcon::icNone;
    std::string m_customIcon;
    int m_buttonsMinWidth = 75;
    std::vector<TUserDlgButton> m_buttons;
    std::vector<TUserDlgLine> m_lines;
    int m_delay = 0;
    int m_result = -1;
};

} // namespace kinoval
