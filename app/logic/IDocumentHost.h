// What the document needs from the program around it: the profile, the 3D view's rendering
// context, the recent-file list and the window title.
#pragma once

#include <string>

class IDocumentHost {
public:
    virtual ~IDocumentHost() = default;
    // Reads the display colours from the profile into the scene and sets the clear colour.
    virtual void LoadColorSettings() = 0;
    // Sets the rendering context's clear colour from the scene's background colour.
    virtual void ApplyBackgroundColor() = 0;
    // Sets the 3D view's camera up for the scene just loaded.
    virtual void SetupCamera() = 0;
    // Puts a file (CP932 path) at the top of the recent-file list.
    virtual void AddToRecentFiles(const std::string& path) = 0;
    // The document's path name or title changed.
    virtual void OnTitleChanged() = 0;
};
