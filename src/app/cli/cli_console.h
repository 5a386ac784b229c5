#pragma once
// What the headless tool gives the core in place of the desktop: messages go to the error output and are
// answered with their first button; there is no clipboard, no file dialog and no other program.

#include "core/common/desktop_services.h"
#include "core/common/user_dlg.h"

#include <cstdio>

namespace kinoval::cli {

class TConsoleDlg : public TCustomUserDlg {
protected:
    int DoRun() override
    {
        for (const auto& line : Lines())
            if (!line.text.empty())
                std::fprintf(stderr, "%s\n", line.text.c_str());
        return 0;
    }
};

class TNoDesktop : public TDesktopServices {
public:
    void SetClipboardText(const std::string&) override { }
    std::string ClipboardText() const override { return {}; }
    std::optional<std::string> OpenFileDialog(const TFileDialogRequest&) override { return {}; }
    std::optional<std::string> SaveFileDialog(const TFileDialogRequest&) override { return {}; }
    bool OpenWithDefaultProgram(const std::string&) override { return false; }
    bool StartProgram(const std::string&, const std::vector<std::string>&) override { return false; }
    bool ProgramExists(const std::string&) const override { return false; }
    void Beep() override { }
    void ProcessPendingEvents() override { }
};

} // namespace kinoval::cli
