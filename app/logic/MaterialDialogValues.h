// The values the material dialog edits, as the dialog shows them: the name and the texture
// names as UTF-8, and twelve numbers each with an edit and a slider. Reading them from a
// material, writing them back after OK, the slider positions, and the texture name that a
// chosen file gets.
#pragma once

#include <array>
#include <string>
#include <vector>

class CCentigrade;
class CMaterial;

// The twelve numbers in the order of the dialog's rows.
enum MaterialValue {
    ValueRed, ValueGreen, ValueBlue, ValueAlpha,
    ValueToonRed, ValueToonGreen, ValueToonBlue,
    ValueDiffuse, ValueEmissive, ValueSpecular, ValuePower, ValueAmbient,
    MaterialValueCount
};

// Sliders run 0 to 100: the specular power as it is, every other value times 100.
bool IsUnscaledValue(int value);
// A value's slider position: truncated toward zero and held within 0..100.
int SliderPosition(int value, float number);
// The slider position for an edit's text as leaving the edit sets it, whether or not the
// text is a number: atoi of the text for the power, atof of the text times 100 for every
// other value, truncated toward zero and held within 0..100 (0 for text without a leading
// number).
int SliderPositionForText(int value, const std::string& text);
// The value a slider position stands for.
float SliderValue(int value, int position);
// A value as the edits first show it (six significant digits, "0.8", "5").
std::string InitialValueText(float number);

struct MaterialDialogValues {
    std::string name;  // UTF-8
    std::array<float, MaterialValueCount> numbers{};
    std::string texture;      // UTF-8
    std::string toonTexture;  // UTF-8

    static MaterialDialogValues From(const CMaterial& material);
};

// Writes the values back into material `index` after OK: colour, texture, strengths, toon
// colour and texture, power and specular; the name only when no other material has it
// (compared without regard to case) and CP932 can hold it, else a message and the old name
// stays. Texture names that CP932 cannot hold keep their old value (the dialog refuses them
// before). True when anything of the material changed. Nothing for an index that names no
// material.
bool WriteBackMaterial(CCentigrade& scene, int index, const MaterialDialogValues& values);

// The program's texture folders, as the texture search tries them (UTF-8, no trailing
// separator).
std::vector<std::string> TextureFolders();
// The texture name for a chosen file (UTF-8 paths): its path below the first texture folder
// that contains it, a folder counting only as whole path components; else the file's name.
std::string TextureNameForFile(const std::string& chosenPath, const std::vector<std::string>& textureFolders);
