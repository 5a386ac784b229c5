#pragma once
// What the core asks of the desktop: the clipboard, the file dialogs, opening a file with its default
// program, starting another program, a beep, and letting pending events run during a long job.
// gui implements it over Qt; tests use a fake that records the calls and answers as scripted.

#include <optional>
#include <string>
#include <vector>

namespace kinoval {

struct TFileDialogRequest {
    std::string title;
    std::string filter; // "Label (*.a *.b);;Other (*.c)"
    std::string proposedName; // file name proposed in a save dialog
    std::string defaultExtension; // without the dot, added when the user typed none
    std::string folder; // initial folder
    // Whether a save dialog asks before replacing an existing file; off for callers that ask themselves.
    bool confirmOverwrite = true;
};

class TDesktopServices {
public:
    virtual ~TDesktopServices() = default;

    virtual void SetClipboardText(const std::string& text) = 0;
    virtual std::string ClipboardText() const = 0;

    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> OpenFileDialog(const TFileDialogRequest& request) = 0;
    virtual std::optional<std::string> SaveFileDialog(const TFileDialogRequest& request) = 0;
    // Several existing files chosen at once, in the order the dialog gives them; nothing when cancelled.
    // A desktop without such a dialog offers one file.
    virtual std::optional<std::vector<std::string>> OpenFilesDialog(const TFileDialogRequest& request)
    {
        if (auto one = OpenFileDialog(request))
            return std::vector<std::string> { *one };
        return std::nullopt;
    }

    // Opens a document or a page with the desktop's default program; false when nothing could open it.
    virtual bool OpenWithDefaultProgram(const std::string& path) = 0;
    // Starts a program detached from this one; false when it could not be started.
    virtual bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) = 0;
    // Whether a program of that name can be found on the PATH (or the path is an executable file).
    virtual bool ProgramExists(const std::string& program) const = 0;

    virtual void Beep() = 0;
    // Lets the window system handle what is pending (repaints, a click on a stop button) once.
    virtual void ProcessPendingEvents() = 0;
};

} // namespace kinoval
