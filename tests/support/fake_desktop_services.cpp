#include "support/fake_desktop_services.h"

namespace kinoval::test {

namespace {
std::optional<std::string> Next(std::deque<std::optional<std::string>>& answers)
{
    if (answers.empty())
        return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
}
} // namespace

std::optional<std::string> TFakeDesktopServices::OpenFileDialog(const TFileDialogRequest& request)
{
    openRequests.push_back(request);
    return Next(openAnswers);
}

std::optional<std::string> TFakeDesktopServices::SaveFileDialog(const TFileDialogRequest& request)
{
    saveRequests.push_back(request);
    return Next(saveAnswers);
}

bool TFakeDesktopServices::OpenWithDefaultProgram(const std::string& path)
{
    openedWithDefault.push_back(path);
    return openWithDefaultSucceeds;
}

bool TFakeDesktopServices::StartProgram(const std::string& program, const std::vector<std::string>& arguments)
{
    started.push_back({ program, arguments });
    return startProgramSucceeds;
}

void TFakeDesktopServices::ProcessPendingEvents()
{
    ++pendingEventCalls;
    if (onPendingEvents)
        onPendingEvents();
}

} // namespace kinoval::test
