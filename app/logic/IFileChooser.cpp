#include "app/logic/IFileChooser.h"

namespace {
IFileChooser* g_fileChooser = nullptr;
}

std::optional<FileDialogAnswer> ChooseFile(const FileDialogRequest& request)
{
    if (!g_fileChooser)
        return std::nullopt;
    return g_fileChooser->Choose(request);
}

IFileChooser* SetFileChooser(IFileChooser* chooser)
{
    IFileChooser* previous = g_fileChooser;
    g_fileChooser = chooser;
    return previous;
}
