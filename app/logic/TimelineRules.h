// What the timeline form does with its edits, without the widgets: the current and last
// frame, the X, Y, Z values of the selected bone's sample, the key-frame ticks and one step
// of playback. They work on the scene and the playback globals (scene/Globals.h).
#pragma once

#include "scene/CVector.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CCentigrade;

// The longest animation the last-frame edit accepts (frames 0 to this).
inline constexpr int kMaxLastFrame = 100000;
extern const char* const kLastFrameTooLargeMessage;

// A whole number (held at the limits of long) or a decimal number ("C" locale; nothing for
// infinities and numbers out of float's range); surrounding blanks allowed, nothing for any
// other text.
std::optional<long> ParseWholeNumber(std::string_view text);
std::optional<float> ParseDecimalNumber(std::string_view text);

// "%d" and "%f", as the edits show numbers.
std::string FrameText(int frame);
std::string ValueText(float value);

// The frame typed into the current-frame edit, or nothing when it is no number or lies
// outside 0..g_lastFrame (the edit then gets g_currentFrame back).
std::optional<int> TypedCurrentFrame(std::string_view text);

struct LastFrameResult {
    bool accepted = false;      // false: the edit gets the previous last frame back
    bool lengthChanged = false;  // the undo and redo stacks were emptied
    bool sceneChanged = false;   // samples were added, dropped or keyed
};
// Sets g_lastFrame from the edit's text: every bone's samples of the current animation are
// fitted to the new length (new samples reset, sample 0 a key), the current frame is pulled
// back onto the new last frame when it lies at or beyond it. Refused: no number, negative,
// or above kMaxLastFrame (with a message).
LastFrameResult ApplyLastFrame(CCentigrade& scene, std::string_view text);

// The vector the X, Y, Z edits show and edit in the scene's edit mode (translation in 3,
// rotation in 4, scale in 5) of the selected bone's sample at the current animation and
// frame; null in other modes or when there is no such sample.
CVector* EditedVector(CCentigrade& scene);
// The vector to show in the edits: the edited one, zeros where there is none; nothing in
// the modes that show no values.
std::optional<CVector> ShownVector(CCentigrade& scene);

struct ValueEditResult {
    bool changed = false;             // the sample was written (after one undo entry)
    std::array<bool, 3> refused{};    // this edit held no number; it gets its value back
    CVector value;                    // what the edits stand for after the edit
};
// Leaving one of the X, Y, Z edits. An edit whose text is still the text it was given keeps
// the sample's exact value (the text shows it rounded); text that is no number is refused.
// When a value differs from the sample's: the redo stack is emptied, an undo entry pushed
// and the sample's vector set (weight 1, no bone, mark 0); the key flag stays. In every
// mode g_editFrame becomes the current frame and every bone is in-betweened.
ValueEditResult ApplyValueEdits(CCentigrade& scene, const std::array<std::string, 3>& texts,
                                const std::array<std::string, 3>& shownTexts);

// The frames of the selected bone's samples in the current animation that are keys.
std::vector<int> SelectedBoneKeyFrames(const CCentigrade& scene);

// One playback tick: the next frame; past the last frame back to 0 when looping, else
// playback stops on the last frame. False once playback has stopped.
bool AdvancePlayback();
