// The pop-up commands of the material and animation lists. Their items reach the frame,
// which runs them here; the handlers act on the pane that showed the pop-up.
#include "app/CAnimationView.h"
#include "app/CKinemorphixApp.h"
#include "app/CMainFrame.h"
#include "app/CMaterialView.h"
#include "app/logic/CommandIds.h"
#include "app/logic/CommandRegistry.h"

namespace {

void RegisterPaneCommands(CCommandRegistry& registry)
{
    const auto material = [](int id) { return [id] { TheMainFrame().m_materialView->OnMaterialCommand(id); }; };
    for (int id : {ID_MATERIAL_ADD, ID_MATERIAL_DELETE, ID_MATERIAL_RENAME})
        registry.Add(id, material(id));
    for (int id = ID_MATERIAL_NUMBER_FIRST; id <= ID_MATERIAL_NUMBER_LAST; ++id)
        registry.Add(id, material(id));

    for (int id : {ID_ANIMATION_ADD, ID_ANIMATION_DUPLICATE, ID_ANIMATION_DELETE})
        registry.Add(id, [id] { TheMainFrame().m_animationView->OnAnimationCommand(id); });
}

const CCommandArea area(RegisterPaneCommands);

}  // namespace
