// A material's colours, shininess and texture binding made current in OpenGL.
#pragma once

class CMaterial;

void ApplyMaterialGl(const CMaterial& material);
