// A scene whose names and layout have tripped exporters: models and materials that share a
// name, names with blanks, XML and CSV specials and Japanese text, an untextured material
// used beside a textured one, and an animation name with a comma, quotes and a line break.
#pragma once

#include "export/ExportScenes.h"
#include "platform/Cp932.h"

namespace exporttest {

inline CCentigrade OddNamesScene()
{
    CCentigrade scene = BoxScene();  // "Box": a triangle with UVs, a quad without, a line
    CModel& box = scene.m_models[0];
    box.m_name = "my box";
    CModel twin = box;  // the same name again, moved aside, with the second material
    for (CVector& v : twin.m_vertices)
        v.m_x += 3.0f;
    for (CFace& face : twin.m_faces)
        face.m_material = 1;
    CModel head = box;
    head.m_name = cp932::FromUtf8("頭 <&\"'>");
    for (CFace& face : head.m_faces)
        face.m_material = 2;
    scene.m_models = {box, twin, head};

    scene.m_materials[0].m_name = "my box";  // as the models are called
    scene.m_materials[0].m_texture = cp932::FromUtf8("C:\\テクスチャ\\木 目&1,\"a\".png");
    CMaterial plain(1);
    plain.m_name = cp932::FromUtf8("赤い 材質");
    plain.m_color = {1.0f, 0.25f, 0.0f, 0.5f};
    CMaterial same(2);
    same.m_name = plain.m_name;
    scene.m_materials.push_back(plain);
    scene.m_materials.push_back(same);

    scene.m_animationNames = {cp932::FromUtf8("歩く, \"速く\"\nfast"), "Walk"};
    scene.m_materialMaps = {{0, 1, 2}, {2, 1, 0}};
    scene.RecomputeNormals();
    return scene;
}

}  // namespace exporttest
