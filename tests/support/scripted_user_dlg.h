#pragma once
// A message dialog for tests: records every run (icon, lines, buttons, check box) and answers with the
// scripted button indices in order, then with the default answer.

#include "core/common/user_dlg.h"

#include <deque>
#include <string>
#include <vector>

namespace kinoval::test {

struct TRecordedRun {
    TUserDlgIcon icon = TUserDlgIcon::icNone;
    std::string title;
    std::vector<TUserDlgLine> lines;
    std::vector<TUserDlgButton> buttons;
    std::string checkBoxCaption;
    bool checkBoxInitial = false;
    int delay = 0;

    std::vector<std::string> Texts() const;
    std::vector<std::string> Captions() const;
    // All lines joined by "\n", for readable assertions.
    std::string JoinedText() const;
};

class TScriptedUserDlg : public TCustomUserDlg {
public:
    struct Answer {
        int button = 0;
        bool check = false;
        bool setCheck = false; // when false the check box keeps its initial state
    };

    void Script(int button) { m_answers.push_back({ button, false, false }); }
    void Script(int button, bool check) { m_answers.push_back({ button, check, true }); }
    int defaultAnswer = 0;

    const std::vector<TRecordedRun>& Runs() const { return m_runs; }
    const TRecordedRun& LastRun() const { return m_runs.back(); }
    std::size_t RunCount() const { return m_runs.size(); }
    void ClearRuns() { m_runs.clear(); }

protected:
    int DoRun() override;

private:
    std::deque<Answer> m_answers;
    std::vector<TRecordedRun> m_runs;
};

} // namespace kinoval::test
