#include "scene/GlBridge.h"

#include <utility>

namespace {

GlBridge& Bridge()
{
    static GlBridge bridge;
    return bridge;
}

}  // namespace

void SetGlBridge(GlBridge bridge) { Bridge() = std::move(bridge); }

const GlBridge& GetGlBridge() { return Bridge(); }

bool GlContextIsCurrent()
{
    const GlBridge& bridge = Bridge();
    return bridge.isContextCurrent && bridge.isContextCurrent();
}
