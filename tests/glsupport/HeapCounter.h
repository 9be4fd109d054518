// The bytes a test program holds through operator new, that is the C++ allocations of the
// program and its libraries, and the most it held since a reset. What the OpenGL driver
// allocates (C code) is not counted. Linked into the rendering tests only.
#pragma once

#include <cstddef>

namespace heapcounter {

std::size_t Live();
std::size_t Peak();
// Peak := what is held now.
void ResetPeak();

}  // namespace heapcounter
