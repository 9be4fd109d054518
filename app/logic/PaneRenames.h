// Renaming a bone, an animation or a material from a pane's label edit. The edited item is
// the one renamed, whatever else is selected. Names come from the widget as UTF-8 and are
// stored as CP932; a name used by another item of the same kind (compared without regard to
// case, double-byte characters as one unit) or one with characters CP932 cannot hold is
// refused with a message and changes nothing.
#pragma once

#include <optional>
#include <string>

class CCentigrade;

enum class RenameResult {
    Ignored,    // cancelled, empty, or no such item: nothing happens
    Refused,    // the message has been shown
    Unchanged,  // accepted, but the name was already exactly that
    Renamed,
};

// The CP932 bytes of a widget's UTF-8 text, or nothing when a character has no CP932 form.
std::optional<std::string> Cp932FromWidget(const std::string& utf8);

// The index must name an item of the scene; for a bone, the current animation must be valid.
RenameResult RenameBone(CCentigrade& scene, int bone, const std::string& utf8);
RenameResult RenameAnimation(CCentigrade& scene, int animation, const std::string& utf8);
RenameResult RenameMaterial(CCentigrade& scene, int material, const std::string& utf8);

// The message for a name with characters CP932 cannot hold.
extern const char* const kUnconvertibleNameMessage;
