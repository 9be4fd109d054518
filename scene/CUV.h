// One texture coordinate pair.
#pragma once

class CArchive;

class CUV {
public:
    void Serialize(CArchive& ar);

    float m_u = 0.0f;
    float m_v = 0.0f;
};
