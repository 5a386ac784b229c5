#pragma once
// The desktop services over Qt: the clipboard, Qt's file dialogs, the desktop's default programs (the help
// pages, exported files), detached programs, the beep and the event loop of long jobs.

#include "core/common/desktop_services.h"

class QWidget;

namespace kinoval {

class TQtDesktopServices : public TDesktopServices {
public:
    // Dialogs are centred on the parent when there is one.
    explicit TQtDesktopServices(QWidget* dialogParent = nullptr)
        : m_parent(dialogParent)
    {
    }
    void SetDialogParent(QWidget* parent) { m_parent = parent; }

    void SetClipboardText(const std::string& text) override;
    std::string ClipboardText() const override;
    std::optional<std::string> OpenFileDialog(const TFileDialogRequest& request) override;
    std::optional<std::string> SaveFileDialog(const TFileDialogRequest& request) override;
    std::optional<std::vector<std::string>> OpenFilesDialog(const TFileDialogRequest& request) override;
    // A local path must exist; anything with a scheme ("https://...") is handed to the desktop as it is.
    bool OpenWithDefaultProgram(const std::string& path) override;
    bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) override;
    bool ProgramExists(const std::string& program) const override;
    void Beep() override;
    void ProcessPendingEvents() override;

private:
    QWidget* m_parent;
};

} // namespace kinoval
