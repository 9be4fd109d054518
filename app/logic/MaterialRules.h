// The material list's rules without the widgets: the number column (the current animation's
// material map), the numbered pop-up items and what choosing one does.
#pragma once

#include <array>
#include <string>

class CCentigrade;

// The highest material number the pop-up offers (its items are ID_MATERIAL_NUMBER_FIRST +
// number up to ID_MATERIAL_NUMBER_LAST).
inline constexpr int kMaxMaterialNumber = 100;

// Entry `row` of the current animation's map as "%d"; empty when the animation has no map
// or its map no such entry.
std::string MaterialNumberText(const CCentigrade& scene, int row);
// How many numbered items the pop-up shows: one per entry of the current animation's map
// that names an existing material, at most kMaxMaterialNumber + 1; 0 without a map.
int MaterialNumberItemCount(const CCentigrade& scene);

enum class MaterialNumberResult { NoRow, NoEntry, Unchanged, Changed };
// Entry `row` of the current animation's map := number. NoRow for a row below 0 (nothing
// happens at all); NoEntry when the animation has no map or the map no such entry.
MaterialNumberResult SetMaterialNumber(CCentigrade& scene, int row, int number);

// After a rebuild: a negative current material becomes the first one, when there is one.
void SettleCurrentMaterial(CCentigrade& scene);

// The swatch colour of a material colour: each of red, green and blue times 255, truncated,
// its low byte taken.
std::array<unsigned char, 3> SwatchRgb(float red, float green, float blue);
