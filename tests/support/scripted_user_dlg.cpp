#include "support/scripted_user_dlg.h"

namespace kinoval::test {

std::vector<std::string> TRecordedRun::Texts() const
{
    std::vector<std::string> out;
    for (const auto& line : lines)
        out.push_back(line.text);
    return out;
}

std::vector<std::string> TRecordedRun::Captions() const
{
    std::vector<std::string> out;
    for (const auto& button : buttons)
        out.push_back(button.caption);
    return out;
}

std::string TRecordedRun::JoinedText() const
{
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i)
            out += '\n';
        out += lines[i].text;
    }
    return out;
}

int TScriptedUserDlg::DoRun()
{
    TRecordedRun run;
    run.icon = Icon();
    run.title = Title;
    run.lines = Lines();
    run.buttons = Buttons();
    run.checkBoxCaption = CheckBoxCaption;
    run.checkBoxInitial = CheckBoxCheck;
    run.delay = EffectiveDelay();
    m_runs.push_back(run);
    Answer answer { defaultAnswer, false, false };
    if (!m_answers.empty()) {
        answer = m_answers.front();
        m_answers.pop_front();
    }
    if (answer.setCheck && !run.checkBoxCaption.empty())
        CheckBoxCheck = answer.check;
    return answer.button;
}

} // namespace kinoval::test
