#pragma once
// Desktop services for tests: an in-memory clipboard, scripted dialog answers, and a record of every
// program started or file opened.

#include "core/common/desktop_services.h"

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace kinoval::test {

class TFakeDesktopServices : public TDesktopServices {
public:
    void SetClipboardText(const std::string& text) override { clipboard = text; }
    std::string ClipboardText() const override { return clipboard; }

    std::optional<std::string> OpenFileDialog(const TFileDialogRequest& request) override;
    std::optional<std::string> SaveFileDialog(const TFileDialogRequest& request) override;
    // Answers from openFilesAnswers; without one, as a desktop of one file at a time would.
    std::optional<std::vector<std::string>> OpenFilesDialog(const TFileDialogRequest& request) override
    {
        if (openFilesAnswers.empty())
            return TDesktopServices::OpenFilesDialog(request);
        auto answer = openFilesAnswers.front();
        openFilesAnswers.pop_front();
        openRequests.push_back(request);
        return answer;
    }
    bool OpenWithDefaultProgram(const std::string& path) override;
    bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) override;
    bool ProgramExists(const std::string& program) const override { return programsOnPath.count(program) > 0; }
    void Beep() override { ++beeps; }
    void ProcessPendingEvents() override;

    // Scripted answers; an empty optional is a cancelled dialog. Without a script, dialogs are cancelled.
    std::deque<std::optional<std::string>> openAnswers;
    std::deque<std::optional<std::string>> saveAnswers;
    std::deque<std::optional<std::vector<std::string>>> openFilesAnswers;
    bool openWithDefaultSucceeds = true;
    bool startProgramSucceeds = true;
    std::set<std::string> programsOnPath;
    // Called on each ProcessPendingEvents, so a test can act in the middle of a long job.
    std::function<void()> onPendingEvents;

    std::string clipboard;
    std::vector<TFileDialogRequest> openRequests;
    std::vector<TFileDialogRequest> saveRequests;
    std::vector<std::string> openedWithDefault;
    struct Started {
        std::string program;
        std::vector<std::string> arguments;
    };
    std::vector<Started> started;
    int beeps = 0;
    int pendingEventCalls = 0;
};

} // namespace kinoval::test
