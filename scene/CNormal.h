// A normal that also lists the faces it was averaged from.
#pragma once

#include "scene/CVector.h"
#include "scene/FaceList.h"


class CNormal : public CVector {
public:
    CNormal() = default;
    // Copying takes the coordinates and the face list; weight, bone and mark stay at their
    // defaults.
    CNormal(const CNormal& other) : CVector() { *this = other; }
    CNormal& operator=(const CNormal& other)
    {
        m_x = other.m_x;
        m_y = other.m_y;
        m_z = other.m_z;
        m_faces = other.m_faces;
        return *this;
    }
    CNormal(CNormal&&) noexcept = default;
    CNormal& operator=(CNormal&&) noexcept = default;

    FaceList m_faces;
};
