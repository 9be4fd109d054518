#include "app/CKinemorphixDoc.h"

#include "app/CKinemorphixApp.h"
#include "app/CMainFrame.h"
#include "app/logic/ColorSettings.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "viewport/OpenGLSetup.h"
#include "viewport/RenderSurface.h"

CKinemorphixDoc::CKinemorphixDoc(CKinemorphixApp& app) : CSceneDocument(static_cast<IDocumentHost&>(*this)), m_app(app) {}

void CKinemorphixDoc::LoadColorSettings()
{
    ::LoadColorSettings(m_app.Profile(), g_scene);
    ApplyBackgroundColor();
}

void CKinemorphixDoc::ApplyBackgroundColor()
{
    // Without a current context the view sets the clear colour when it first draws.
    IRenderSurface* surface = AttachedRenderSurface();
    if (surface && surface->MakeCurrent())
        g_scene.SetBackgroundColor(g_scene.m_backgroundColor);
}

void CKinemorphixDoc::SetupCamera()
{
    g_scene.SetupCamera();
}

void CKinemorphixDoc::AddToRecentFiles(const std::string& path)
{
    m_app.AddToRecentFiles(path);
}

void CKinemorphixDoc::OnTitleChanged()
{
    if (CMainFrame* frame = m_app.GetMainFrame())
        frame->SetTitle(wxString::FromUTF8(FrameTitle()));
}
