#include "viewport/PaneDirectory.h"

namespace {
CPaneDirectory* g_paneDirectory = nullptr;
}

CPaneDirectory* GetPaneDirectory()
{
    return g_paneDirectory;
}

void SetPaneDirectory(CPaneDirectory* directory)
{
    g_paneDirectory = directory;
}
