// The editor's entry.
#include "app/CKinemorphixApp.h"

#include <cstdlib>

wxIMPLEMENT_APP_NO_MAIN(CKinemorphixApp);

int main(int argc, char** argv)
{
    CKinemorphixApp::SetCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    // The OpenGL canvas is built for X11: on a Wayland desktop it runs through XWayland.
    setenv("GDK_BACKEND", "x11", 0);
    return wxEntry(argc, argv);
}
