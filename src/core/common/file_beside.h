#pragma once
// Writing a file beside its target and renaming it into place.
//
// Every file the program writes (studies, settings, exported tables and workbooks, pictures, videos) goes
// first to a temporary file in the target's folder, which is flushed to the disk and then renamed over the
// target. The rename is atomic: whoever opens the target sees the old file or the new one, whole, never a
// truncated mix. A full disk, a read-only folder, a crash or a write that is given up half-way leave the
// previous file byte for byte, and no temporary file behind.
//
// WriteFileAtomically does it for contents held in memory; TFileBeside lends the temporary file to writers
// that produce their bytes over time or open the file by name themselves (a workbook library, a muxer).

#include <string>
#include <string_view>

namespace kinoval {

class TFileBeside {
public:
    // Creates the temporary file (mode of the existing target, else of a new file). The target itself is
    // not touched. Code() tells whether it worked.
    explicit TFileBeside(const std::string& target);
    // Removes the temporary file unless it was committed.
    ~TFileBeside();
    TFileBeside(const TFileBeside&) = delete;
    TFileBeside& operator=(const TFileBeside&) = delete;

    // kIniOk, or a code of TIniResult (kIniNoPath, kIniNotRegular, kIniCreateFailed), with ErrorText.
    int Code() const { return m_code; }
    const std::string& ErrorText() const { return m_errorText; }
    // The file to write, in the target's folder. Its name starts with a dot, so it stays out of sight.
    const std::string& TemporaryPath() const { return m_temporary; }
    // The open descriptor on the temporary file; -1 once released.
    int Descriptor() const { return m_fd; }
    // For writers that open the temporary file by name: the descriptor is closed, the file stays.
    void ReleaseDescriptor();
    // For writers that take over the descriptor (a stdio stream over it): the caller closes it.
    int TakeDescriptor();
    // Writes all of contents through the descriptor; kIniOk or kIniWriteFailed.
    int Write(std::string_view contents);
    // Flushes the temporary file to the disk and renames it over the target (kIniOk), or reports why not
    // (kIniWriteFailed, kIniRenameFailed) and removes it: the target is then as it was.
    int Commit();

private:
    int Fail(int code, int error);

    std::string m_target; // the real file, symbolic links resolved
    std::string m_temporary;
    std::string m_errorText;
    int m_fd = -1;
    int m_code = 0;
    bool m_committed = false;
};

} // namespace kinoval
