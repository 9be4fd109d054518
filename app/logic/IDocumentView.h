// A window that shows the document: the document's update broadcast reaches it here with
// the hint number (HintDocumentLoaded, HintFrameChanged... in scene/Globals.h).
#pragma once

class IDocumentView {
public:
    virtual ~IDocumentView() = default;
    virtual void OnUpdate(int hint) = 0;
};
