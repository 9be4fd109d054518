// What every exporter shares: the two export options, the result of an export, the class
// name taken from the output path and the conversion of CP932 text to UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// How bones and animation are exported (the document keeps the last choice).
enum ExportAnimationForm : std::int32_t {
    AnimationFormKeyFrames = 0,  // translation, rotation and scale keys
    AnimationFormMatrices = 1,   // bone model with one baked world matrix per bone and frame
    AnimationFormNone = 2,       // static mesh
};

// How the ActionScript 3 and Stage3D exports reach their texture.
enum FlashTarget : std::int32_t {
    FlashTargetFlashCs = 0,   // through a generated texture class
    FlashTargetFlexSdk = 1,   // embedded with an Embed metadata line
};

// The options the export dispatcher passes on.
struct ExportOptions {
    float scale = 1.0f;
    ExportAnimationForm form = AnimationFormMatrices;
    FlashTarget flashTarget = FlashTargetFlashCs;
};

// The outcome of one export. An export succeeds only when its whole file was written and
// put in place; otherwise any file that stood at the path is left as it was.
struct ExportResult {
    bool ok = false;
    std::string error;                  // why it failed (UTF-8); empty on success
    bool unassignedVertices = false;    // the file holds vertices without a bone (warned)
    std::string path;                   // the file written (CP932); some exporters change the extension

    explicit operator bool() const { return ok; }
};

// The refusal of an export that needs a model when the scene has none; nothing is opened, so
// a file already at the path stays whole.
ExportResult NoModelResult(const std::string& cp932Path);

// The refusal of an export for the given reason (UTF-8), before anything is opened.
ExportResult RefusedExport(const std::string& cp932Path, std::string reason);

// The warning shown once, after the file is complete, when a bone export met a vertex
// without a bone.
inline constexpr std::string_view kUnassignedVerticesWarning = "ボーンに割り当てられていない頂点があります！";

// The model name of the JavaScript exports before JsClassName makes it an identifier: the
// output file's name without its last extension (Robot.as gives Robot, a.b.as gives a.b, a name without a dot
// stays whole). A file name that is only an extension (".as") has no base name; "Model"
// stands in for it so that the generated source still declares a name.
std::string ExportClassName(const std::string& cp932Path);

// CP932 text to UTF-8. out is emptied first; a null or empty text gives false; otherwise the
// converted text (bytes that do not convert become '?') and true when it is not empty.
bool ConvertToUtf8(const char* cp932Text, std::string& out);
bool ConvertToUtf8(std::string_view cp932Text, std::string& out);
