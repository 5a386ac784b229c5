#include "core/settings/file_association.h"

#include "core/common/desktop_services.h"
#include "core/common/ini_file.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace kinoval {

std::string UserDataFolder()
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && xdg[0] == '/')
        return xdg;
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr && home[0] != '\0' ? home : "/tmp") + "/.local/share";
}

std::string KvlMimePackage()
{
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                       "  <mime-type type=\"")
        + kKvlMimeType
        + "\">\n"
          "    <comment>Kinoval study</comment>\n"
          "    <comment xml:lang=\"fr\">Etude Kinoval</comment>\n"
          "    <sub-class-of type=\"text/plain\"/>\n"
          "    <glob pattern=\"*.kvl\"/>\n"
          "    <glob pattern=\"*.KVL\"/>\n"
          "  </mime-type>\n"
          "</mime-info>\n";
}

std::string DesktopExecQuoted(const std::string& programPath)
{
    static const std::string reserved = " \t\n\"'\\><~|&;$*?#()`";
    std::string out;
    if (programPath.find_first_of(reserved) == std::string::npos) {
        out = programPath;
    } else {
        // Inside double quotes the characters " ` $ and \ take a backslash.
        out = "\"";
        for (char c : programPath) {
            if (c == '"' || c == '`' || c == '$' || c == '\\')
                out += '\\';
            out += c;
        }
        out += '"';
    }
    // The value is then a desktop-entry string, where a backslash is itself escaped, and "%" opens a field
    // code unless doubled.
    std::string escaped;
    for (char c : out) {
        if (c == '\\')
            escaped += "\\\\";
        else if (c == '%')
            escaped += "%%";
        else
            escaped += c;
    }
    return escaped;
}

std::string KvlDesktopEntry(const std::string& programPath)
{
    if (programPath.find_first_of("\r\n") != std::string::npos)
        return {};
    return std::string("[Desktop Entry]\n"
                       "Type=Application\n"
                       "Name=Kinoval\n"
                       "GenericName=Video motion measurement\n"
                       "GenericName[fr]=Mesure du mouvement sur une vidéo\n"
                       "Comment=Measure motion on video for physics teaching\n"
                       "Comment[fr]=Mesurer un mouvement sur une vidéo pour l'enseignement de la physique\n"
                       "Exec=")
        + DesktopExecQuoted(programPath) + " %f\n" + "MimeType=" + kKvlMimeType
        + ";\n"
          "Terminal=false\n"
          "Categories=Education;Science;Physics;\n";
}

namespace {

int WriteInto(const std::filesystem::path& file, const std::string& contents, std::string* errorText)
{
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    if (error) {
        if (errorText != nullptr)
            *errorText = file.parent_path().string() + " : " + error.message();
        return kAssociationWriteFailed;
    }
    std::string reason;
    if (WriteFileAtomically(file.string(), contents, &reason) != 0) {
        if (errorText != nullptr)
            *errorText = file.string() + " : " + reason;
        return kAssociationWriteFailed;
    }
    return kAssociationOk;
}

} // namespace

int RegisterKvlAssociation(
    const std::string& dataFolder, const std::string& programPath, TDesktopServices& desktop, std::string* errorText)
{
    const std::string entry = KvlDesktopEntry(programPath);
    if (entry.empty()) {
        if (errorText != nullptr)
            *errorText = programPath;
        return kAssociationBadProgramPath;
    }
    const std::filesystem::path data(dataFolder);
    if (int code = WriteInto(data / "mime" / "packages" / kKvlMimePackageName, KvlMimePackage(), errorText))
        return code;
    if (int code = WriteInto(data / "applications" / kKvlDesktopFileName, entry, errorText))
        return code;
    if (desktop.ProgramExists("update-mime-database"))
        desktop.StartProgram("update-mime-database", { (data / "mime").string() });
    if (desktop.ProgramExists("update-desktop-database"))
        desktop.StartProgram("update-desktop-database", { (data / "applications").string() });
    if (desktop.ProgramExists("xdg-mime"))
        desktop.StartProgram("xdg-mime", { "default", kKvlDesktopFileName, kKvlMimeType });
    return kAssociationOk;
}

} // namespace kinoval
