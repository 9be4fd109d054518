// Stand-ins for the program around the document, shared by the headless and the GUI tests.
#pragma once

#include "app/logic/IDocumentHost.h"
#include "app/logic/IDocumentView.h"
#include "app/logic/IFileChooser.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <deque>
#include <string>
#include <vector>

// The profile's background colour is 1,2,3; the recent-file entries are kept.
struct RecordingHost : IDocumentHost {
    void LoadColorSettings() override { g_scene.m_backgroundColor = MakeRgb(1, 2, 3); }
    void ApplyBackgroundColor() override {}
    void SetupCamera() override {}
    void AddToRecentFiles(const std::string& path) override { recent.push_back(path); }
    void OnTitleChanged() override {}
    std::vector<std::string> recent;
};

struct HintLog : IDocumentView {
    void OnUpdate(int hint) override { hints.push_back(hint); }
    std::vector<int> hints;
};

// Answers file dialogs with the queued paths; an empty queue cancels. Keeps every request.
class ScriptedFileChooser : public IFileChooser {
public:
    std::optional<FileDialogAnswer> Choose(const FileDialogRequest& request) override
    {
        requests.push_back(request);
        if (m_answers.empty())
            return std::nullopt;
        FileDialogAnswer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    void Answer(const std::string& path, int filterIndex = 1) { m_answers.push_back({path, filterIndex}); }

    std::vector<FileDialogRequest> requests;

private:
    std::deque<FileDialogAnswer> m_answers;
};
