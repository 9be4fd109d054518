// Every open and save file dialog of the program goes through this seam: the application
// installs one that shows the toolkit's file dialog, tests install one that answers with a
// path.
#pragma once

#include <optional>
#include <string>

struct FileDialogRequest {
    bool save = false;             // a save dialog (else an open dialog)
    bool overwritePrompt = false;  // a save dialog asks before replacing a file
    std::string defaultExtension;  // "zlkx", without the dot
    std::string initialPath;       // proposed file (UTF-8); empty for none
    std::string initialFolder;     // folder to start in (UTF-8); empty for the default
    std::string filter;            // "name|pattern|name|pattern|...|" (UTF-8)
    int filterIndex = 1;           // preselected pair, 1-based
};

struct FileDialogAnswer {
    std::string path;     // UTF-8 file-system path
    int filterIndex = 1;  // the pair the user chose, 1-based
};

class IFileChooser {
public:
    virtual ~IFileChooser() = default;
    // Nothing when the user cancelled.
    virtual std::optional<FileDialogAnswer> Choose(const FileDialogRequest& request) = 0;
};

// The installed chooser (not owned). Without one every dialog counts as cancelled.
std::optional<FileDialogAnswer> ChooseFile(const FileDialogRequest& request);
// Installs a chooser; returns the previous one. Null removes it.
IFileChooser* SetFileChooser(IFileChooser* chooser);
