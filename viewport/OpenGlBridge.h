// The OpenGL side of the core's GL bridge: texture upload and deletion and material state,
// with the fixed-function calls the render pass expects.
#pragma once

#include <functional>

// Installs the bridge. contextIsCurrent tells whether the view's rendering context is
// current (the core uploads and draws only then).
void InstallOpenGlBridge(std::function<bool()> contextIsCurrent);
