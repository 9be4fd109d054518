// A test host for the 3D view: a frame holding only the view, showing the Metasequoia file
// named on the command line. Not part of the editor.
//
//   kmx_view_host [--mode N] [--bone K] [--zoom Z] [--pan X,Y] [--size WxH] [--snapshot file.png]
//                 [--check] [--wheel-check] model.mqo
//
// --mode sets the edit mode (3, 4, 5 show the selected bone's gizmo), --bone selects a bone,
// --zoom and --pan set the camera,
// --snapshot writes the first frame drawn as a PNG file, and --check reads that frame back,
// tests it for the background, the model's faces, its edges, the bones and the gizmo, and
// exits with 0 when all are there (1 when not, 77 without a display). --wheel-check turns
// the wheel over the view with real X events (xdotool): sideways, which must leave the zoom
// alone, then one notch towards the user, which must zoom out by 12.
#include "import/PathFunctions.h"
#include "platform/Messages.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "viewport/WxKinemorphixView.h"

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/timer.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

struct Options {
    int mode = 1;
    int bone = -1;
    float zoom = 100.0f;
    float panX = 0.0f;
    float panY = 0.0f;
    int width = 800;
    int height = 600;
    std::string snapshot;
    bool check = false;
    bool wheelCheck = false;
    std::string model;
};

bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--mode" && hasValue)
            options.mode = std::atoi(argv[++i]);
        else if (arg == "--bone" && hasValue)
            options.bone = std::atoi(argv[++i]);
        else if (arg == "--zoom" && hasValue)
            options.zoom = static_cast<float>(std::atof(argv[++i]));
        else if (arg == "--pan" && hasValue)
            std::sscanf(argv[++i], "%f,%f", &options.panX, &options.panY);
        else if (arg == "--size" && hasValue)
            std::sscanf(argv[++i], "%dx%d", &options.width, &options.height);
        else if (arg == "--snapshot" && hasValue)
            options.snapshot = argv[++i];
        else if (arg == "--check")
            options.check = true;
        else if (arg == "--wheel-check")
            options.wheelCheck = true;
        else if (!arg.empty() && arg[0] != '-')
            options.model = arg;
        else
            return false;
    }
    return !options.model.empty();
}

Options g_options;

// Messages go to stderr, and to a message box when someone is looking.
class HostMessageSink : public IMessageSink {
public:
    MessageResult Show(const std::string& text, MessageButtons, MessageIcon) override
    {
        std::fprintf(stderr, "message: %s\n", text.c_str());
        if (!g_options.check)
            wxMessageBox(wxString::FromUTF8(text.c_str()), "Kinemorphix");
        return MessageResult::Ok;
    }
};

struct Colour {
    unsigned char r, g, b;
};

std::size_t CountColour(const CapturedFrame& frame, Colour c)
{
    std::size_t n = 0;
    for (std::size_t i = 0; i + 2 < frame.rgb.size(); i += 3)
        if (frame.rgb[i] == c.r && frame.rgb[i + 1] == c.g && frame.rgb[i + 2] == c.b)
            ++n;
    return n;
}

// The model's faces: pixels in none of the view's own colours.
std::size_t CountOtherColours(const CapturedFrame& frame, std::initializer_list<Colour> known)
{
    std::size_t n = 0;
    for (std::size_t i = 0; i + 2 < frame.rgb.size(); i += 3) {
        bool isKnown = false;
        for (const Colour& c : known)
            isKnown = isKnown || (frame.rgb[i] == c.r && frame.rgb[i + 1] == c.g && frame.rgb[i + 2] == c.b);
        n += isKnown ? 0 : 1;
    }
    return n;
}

bool CheckFrame(const CapturedFrame& frame)
{
    const std::size_t pixels = static_cast<std::size_t>(frame.width) * frame.height;
    const Colour background{30, 65, 90}, line{229, 127, 178}, bone{255, 255, 0}, selected{255, 0, 0},
        green{0, 255, 0}, blue{0, 0, 255}, grid{91, 105, 91};
    const bool corner = frame.rgb.size() >= 3 && frame.rgb[0] == background.r && frame.rgb[1] == background.g &&
                        frame.rgb[2] == background.b;
    const std::size_t faces = CountOtherColours(frame, {background, line, bone, selected, green, blue, grid});
    const std::size_t edges = CountColour(frame, line);
    const std::size_t bones = CountColour(frame, bone);
    const std::size_t red = CountColour(frame, selected);
    const std::size_t greens = CountColour(frame, green);
    std::printf("frame %dx%d: background corner %s, face pixels %zu, edge pixels %zu, bone pixels %zu, "
                "red %zu, green %zu\n",
                frame.width, frame.height, corner ? "yes" : "no", faces, edges, bones, red, greens);
    bool ok = frame.width > 0 && corner && faces > pixels / 50 && edges > pixels / 200;
    if (!g_scene.m_bones.empty())
        ok = ok && bones > 50;
    if (g_options.bone >= 0 && g_options.mode >= EditModeTranslate && g_options.mode <= EditModeScale)
        ok = ok && red > 100 && greens > 50;  // the selected bone and the gizmo's handles
    return ok;
}

bool WritePng(const CapturedFrame& frame, const std::string& path)
{
    wxImage image(frame.width, frame.height, false);
    std::memcpy(image.GetData(), frame.rgb.data(), frame.rgb.size());
    return image.SaveFile(wxString::FromUTF8(path.c_str()), wxBITMAP_TYPE_PNG);
}

void LoadModel(const std::string& file)
{
    const std::string path = std::filesystem::absolute(file).string();
    g_fileVersion = kVersion390;
    ChangeDirectoryToFileFolder(path);
    if (!g_scene.ImportMqo(path))
        std::fprintf(stderr, "could not read %s\n", path.c_str());
    // As the document opens a model file.
    g_currentAnimation = 0;
    g_scene.ResetDeformedVertices();
    g_scene.BuildBoneVertexLists();
    g_scene.ResetMaterialMaps();
    g_scene.RecomputeNormals();
    // The profile's default display colours.
    g_scene.m_lineColor = MakeRgb(229, 127, 178);
    g_scene.m_selectedLineColor = MakeRgb(127, 229, 178);
    g_scene.m_boneColor = MakeRgb(255, 255, 0);
    g_scene.m_selectedBoneColor = MakeRgb(255, 0, 0);
    g_scene.m_selectColor = MakeRgb(77, 191, 217);
    g_scene.m_editMode = g_options.mode;
    g_scene.m_selectedBone = g_options.bone;
    g_scene.m_zoom = g_options.zoom;
    g_scene.m_camera.m_translate.m_x = g_options.panX;
    g_scene.m_camera.m_translate.m_y = g_options.panY;
    g_scene.m_axisEnabled = {true, true, true};
}

class HostApp : public wxApp {
public:
    bool OnInit() override
    {
        wxLog::SetActiveTarget(new wxLogStderr);
        wxInitAllImageHandlers();
        SetMessageSink(&m_messages);
        auto* frame = new wxFrame(nullptr, wxID_ANY, "Kinemorphix view", wxDefaultPosition,
                                  wxSize(g_options.width, g_options.height));
        m_view = CKinemorphixView::CreateView(frame);
        if (!m_view) {
            m_exitCode = 1;
            return false;
        }
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(m_view, 1, wxEXPAND);
        frame->SetSizer(sizer);
        LoadModel(g_options.model);
        frame->Show();
        if (g_options.wheelCheck) {
            m_wheelTimer.Bind(wxEVT_TIMER, [this, frame](wxTimerEvent&) { WheelStep(frame); });
            m_wheelTimer.StartOnce(1000);
        }
        if (g_options.check || !g_options.snapshot.empty()) {
            m_view->CaptureNextFrame([this, frame](const CapturedFrame& captured) {
                if (!g_options.snapshot.empty() && !WritePng(captured, g_options.snapshot))
                    m_exitCode = 1;
                if (g_options.check && !CheckFrame(captured))
                    m_exitCode = 1;
                if (g_options.check)
                    CallAfter([frame] { frame->Close(true); });
            });
            m_timeout.Bind(wxEVT_TIMER, [this, frame](wxTimerEvent&) {
                std::fprintf(stderr, "no frame was drawn\n");
                m_exitCode = 1;
                frame->Close(true);
            });
            if (g_options.check)
                m_timeout.StartOnce(30000);
        }
        return true;
    }

    // One step of the wheel check every 700 ms: the pointer onto the view and the wheel
    // turned sideways; the zoom checked and the wheel turned down; the zoom checked again.
    void WheelStep(wxFrame* frame)
    {
        const float start = g_options.zoom;
        if (m_wheelStep == 0) {
            const wxPoint centre = m_view->ClientToScreen(wxPoint(m_view->GetClientSize().x / 2, m_view->GetClientSize().y / 2));
            const std::string command = "xdotool mousemove " + std::to_string(centre.x) + " " + std::to_string(centre.y) +
                                        " click 6 click 7 click 6";
            if (std::system(command.c_str()) != 0)
                m_exitCode = 1;
        } else if (m_wheelStep == 1) {
            std::printf("zoom after the sideways wheel: %g\n", g_scene.m_zoom);
            if (g_scene.m_zoom != start || std::system("xdotool click 5") != 0)
                m_exitCode = 1;
        } else {
            std::printf("zoom after one notch down: %g\n", g_scene.m_zoom);
            if (g_scene.m_zoom != start - 12.0f)
                m_exitCode = 1;
            frame->Close(true);
            return;
        }
        ++m_wheelStep;
        m_wheelTimer.StartOnce(700);
    }

    int OnRun() override
    {
        const int result = wxApp::OnRun();
        return m_exitCode ? m_exitCode : result;
    }

    int OnExit() override
    {
        m_timeout.Stop();
        m_wheelTimer.Stop();
        SetMessageSink(nullptr);
        return wxApp::OnExit();
    }

    int m_exitCode = 0;

private:
    CKinemorphixView* m_view = nullptr;
    HostMessageSink m_messages;
    wxTimer m_timeout;
    wxTimer m_wheelTimer;
    int m_wheelStep = 0;
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(HostApp);

int main(int argc, char** argv)
{
    if (!ParseOptions(argc, argv, g_options)) {
        std::fprintf(stderr,
                     "usage: kmx_view_host [--mode N] [--bone K] [--zoom Z] [--pan X,Y] [--size WxH] "
                     "[--snapshot file.png] [--check] [--wheel-check] model.mqo\n");
        return 2;
    }
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "no display\n");
        return 77;
    }
    if (g_options.wheelCheck && std::system("command -v xdotool >/dev/null") != 0) {
        std::fprintf(stderr, "no xdotool\n");
        return 77;
    }
    // The GL canvas is built for GLX: on a Wayland desktop it runs through XWayland.
    setenv("GDK_BACKEND", "x11", 0);
    return wxEntry(argc, argv);
}
