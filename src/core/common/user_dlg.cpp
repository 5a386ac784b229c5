#include "core/common/user_dlg.h"

#include "core/common/texts.h"

namespace kinoval {

void TCustomUserDlg::AddText(const std::string& text, int kind, TColor colour)
{
    std::size_t start = 0;
    while (true) {
        std::size_t crlf = text.find("\r\n", start);
        if (crlf == std::string::npos) {
            m_lines.push_back({ text.substr(start), kind, colour });
            return;
        }
        m_lines.push_back({ text.substr(start, crlf - start), kind, colour });
        start = crlf + 2;
    }
}

int TCustomUserDlg::Run()
{
    m_result = DoRun();
    m_delay = 0;
    CheckBoxCaption.clear();
    m_lines.clear();
    return m_result;
}

int TCustomUserDlg::ShowMessage(TUserDlgIcon icon, const std::vector<std::string>& lines)
{
    SetIcon(icon);
    ClearButtons();
    AddButton(Tr("Ok"), TUserDlgButtonKind::btOk);
    for (const auto& line : lines)
        AddText(line);
    return Run();
}

} // namespace kinoval
