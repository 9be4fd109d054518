// Helpers of the GUI tests: the sample scene, commands run as menu clicks, message boxes
// answered by their text.
#pragma once

#include "app/CKinemorphixApp.h"
#include "app/CMainFrame.h"
#include "app/logic/CommandTable.h"
#include "platform/Color.h"
#include "viewport/WxKinemorphixView.h"

#include <gtest/gtest.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>

#include <string>

// The sample scene the project ships (a rigged figure with a walk animation).
inline std::string SamplePath()
{
    return std::string(KMX_TEST_DATA_DIR) + "/../../resources/sample/figure.zlkx";
}

// The pixels of a captured frame that have exactly that colour.
inline int CountColour(const CapturedFrame& frame, COLORREF colour)
{
    int n = 0;
    for (std::size_t i = 0; i + 2 < frame.rgb.size(); i += 3)
        n += frame.rgb[i] == RedOf(colour) && frame.rgb[i + 1] == GreenOf(colour) && frame.rgb[i + 2] == BlueOf(colour);
    return n;
}

// Runs a menu command as a click on its item does (for items without a key).
inline void RunCommand(int commandId)
{
    wxCommandEvent event(wxEVT_MENU, WindowIdOf(commandId));
    TheMainFrame().GetEventHandler()->ProcessEvent(event);
}

// A message box whose text holds the given part, answered with OK:
//     wxTEST_DIALOG(RunCommand(ID_...), ExpectMessage("削除しました"));
class ExpectMessage : public wxExpectModalBase<wxMessageDialog, ExpectMessage> {
public:
    explicit ExpectMessage(std::string part) : m_part(std::move(part)) {}

protected:
    int OnInvoked(wxMessageDialog* dialog) const override
    {
        const std::string text = dialog->GetMessage().utf8_string();
        EXPECT_NE(text.find(m_part), std::string::npos) << text;
        return wxID_OK;
    }

private:
    std::string m_part;
};
