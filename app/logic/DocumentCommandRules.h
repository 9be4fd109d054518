// When the document's commands are enabled and checked: one rule per command, read from the
// scene and the playback globals. The main frame applies them to menus, toolbar buttons and
// accelerators; a command whose rule disables it never runs.
#pragma once

#include "app/logic/CommandRegistry.h"

#include <span>

class CCentigrade;

namespace rules {

bool CanUndo(const CCentigrade& scene);
bool CanRedo(const CCentigrade& scene);
// A bone and an animation are selected (the key commands need both).
bool HasValidSelection(const CCentigrade& scene);
// The vertex-select item stays checked while a rubber band is being drawn.
bool IsVertexSelectMode(const CCentigrade& scene);
bool IsPlayingOnce(bool playing, bool looping);
bool IsPlayingLoop(bool playing, bool looping);

}  // namespace rules

struct DocumentCommandRule {
    int id;
    CommandState (*state)();
};

// Every command the document handles, with its rule (on g_scene and the playback globals).
std::span<const DocumentCommandRule> DocumentCommandRules();
// The rule of a document command; null for any other id.
const DocumentCommandRule* FindDocumentCommandRule(int id);
