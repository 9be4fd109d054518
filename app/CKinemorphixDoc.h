// The editor's one document, alive for the whole run: the window-free document of
// app/logic with the program around it (profile, recent files, the 3D view's context, the
// main window's title). Panes reach it through TheDocument() (CKinemorphixApp.h).
#pragma once

#include "app/logic/CExportDispatcher.h"
#include "app/logic/CSceneDocument.h"
#include "app/logic/IDocumentHost.h"

class CKinemorphixApp;

class CKinemorphixDoc : private IDocumentHost, public CSceneDocument {
public:
    explicit CKinemorphixDoc(CKinemorphixApp& app);

    // Save As with its fourteen file types (the export dispatch), and the last one repeated
    // without dialogs (app/ExportCommands.cpp).
    bool OnFileSaveAs() override;
    void OnFileOverwriteExport();

private:
    void LoadColorSettings() override;
    void ApplyBackgroundColor() override;
    void SetupCamera() override;
    void AddToRecentFiles(const std::string& path) override;
    void OnTitleChanged() override;

    CKinemorphixApp& m_app;
    CExportDispatcher m_exports{*this};
};
