#include "export/FbxAsciiExport.h"

#include "export/ExportFile.h"
#include "export/ExportableFace.h"
#include "export/MaterialLookup.h"
#include "export/TextWriter.h"
#include "platform/Cp932.h"
#include "scene/CCentigrade.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace {

// Object ids. Every model has its own number m (its place in the list), so that no two
// models share an id; every material and texture its place k in the material list.
constexpr std::int64_t kDocumentId = 103948304;
constexpr std::int64_t kDefaultMaterialId = 104541024;
constexpr std::int64_t kPoseId = 256199904;
constexpr std::int64_t kGeometryBase = 200000000;
constexpr std::int64_t kModelBase = 210000000;
constexpr std::int64_t kLayerId = 220000000;
constexpr std::int64_t kStackId = 230000000;
constexpr std::int64_t kCurveNodeBase[3] = {240000000, 250000000, 260000000};  // T, R, S
constexpr std::int64_t kCurveBase = 270000000;  // + 1000000 * (3 * node + axis)
constexpr std::int64_t kMaterialBase = 280000000;
constexpr std::int64_t kTextureBase = 290000000;
constexpr std::int64_t kTimeSpanStop = 46000000000;

// One row of a property table: one line per name (names separated by ';'); value is what
// follows the flags: "" for nothing, ",1" for a number, ", \"x\"" for a text.
struct Property {
    std::string_view names;
    std::string_view type;
    std::string_view label;
    std::string_view flags;
    std::string_view value;
};

void WriteProperties(TextWriter& out, std::string_view tabs, std::span<const Property> rows)
{
    for (const Property& row : rows) {
        std::string_view names = row.names;
        while (!names.empty()) {
            const std::size_t end = std::min(names.find(';'), names.size());
            out.Print("%sP: \"%s\", \"%s\", \"%s\", \"%s\"%s\n", tabs, names.substr(0, end), row.type, row.label,
                      row.flags, row.value);
            names.remove_prefix(std::min(end + 1, names.size()));
        }
    }
}

// After the two document URLs, which name the output path.
constexpr Property kSceneInfo[] = {
    {"Original", "Compound", "", "", ""},
    {"Original|ApplicationVendor;Original|ApplicationName;Original|ApplicationVersion", "KString", "", "", ", \"\""},
    {"Original|DateTime_GMT", "DateTime", "", "", ", \"\""},
    {"Original|FileName", "KString", "", "", ", \"\""},
    {"LastSaved", "Compound", "", "", ""},
    {"LastSaved|ApplicationVendor;LastSaved|ApplicationName;LastSaved|ApplicationVersion", "KString", "", "",
     ", \"\""},
    {"LastSaved|DateTime_GMT", "DateTime", "", "", ", \"\""},
};

constexpr Property kGlobalSettings[] = {
    {"UpAxis;UpAxisSign", "int", "Integer", "", ",1"},
    {"FrontAxis", "int", "Integer", "", ",2"},
    {"FrontAxisSign", "int", "Integer", "", ",1"},
    {"CoordAxis", "int", "Integer", "", ",0"},
    {"CoordAxisSign", "int", "Integer", "", ",1"},
    {"OriginalUpAxis", "int", "Integer", "", ",-1"},
    {"OriginalUpAxisSign", "int", "Integer", "", ",1"},
    {"UnitScaleFactor", "double", "Number", "", ",0.999999977648258"},
    {"OriginalUnitScaleFactor", "double", "Number", "", ",1"},
    {"AmbientColor", "ColorRGB", "Color", "", ",0,0,0"},
    {"DefaultCamera", "KString", "", "", ", \"Producer Perspective\""},
    {"TimeMode", "enum", "", "", ",6"},
    {"TimeSpanStart", "KTime", "Time", "", ",0"},
    {"TimeSpanStop", "KTime", "Time", "", ",46000000000"},
};

constexpr Property kDocument[] = {
    {"SourceObject", "object", "", "", ""},
    {"ActiveAnimStackName", "KString", "", "", ", \"\""},
};

constexpr Property kAnimStackTemplate[] = {
    {"Description", "KString", "", "", ", \"\""},
    {"LocalStart;LocalStop;ReferenceStart;ReferenceStop", "KTime", "Time", "", ",0"},
};

constexpr Property kAnimLayerTemplate[] = {
    {"Weight", "Number", "", "A+", ",100"},
    {"Mute;Solo;Lock", "bool", "", "", ",0"},
    {"Color", "ColorRGB", "Color", "", ",0.8,0.8,0.8"},
    {"BlendMode;RotationAccumulationMode;ScaleAccumulationMode", "enum", "", "", ",0"},
    {"BlendModeBypass", "ULongLong", "", "", ",0"},
};

constexpr Property kPhongTemplate[] = {
    {"ShadingModel", "KString", "", "", ", \"Phong\""},
    {"MultiLayer", "bool", "", "", ",0"},
    {"EmissiveColor", "ColorRGB", "Color", "", ",0,0,0"},
    {"EmissiveFactor", "double", "Number", "", ",1"},
    {"AmbientColor", "ColorRGB", "Color", "", ",0.2,0.2,0.2"},
    {"AmbientFactor", "double", "Number", "", ",1"},
    {"DiffuseColor", "ColorRGB", "Color", "", ",0.8,0.8,0.8"},
    {"DiffuseFactor", "double", "Number", "", ",1"},
    {"Bump;NormalMap", "Vector3D", "Vector", "", ",0,0,0"},
    {"BumpFactor", "double", "Number", "", ",1"},
    {"TransparentColor", "ColorRGB", "Color", "", ",0,0,0"},
    {"TransparencyFactor", "double", "Number", "", ",0"},
    {"DisplacementColor", "ColorRGB", "Color", "", ",0,0,0"},
    {"DisplacementFactor", "double", "Number", "", ",1"},
    {"SpecularColor", "ColorRGB", "Color", "", ",0.2,0.2,0.2"},
    {"SpecularFactor", "double", "Number", "", ",1"},
    {"ShininessExponent", "double", "Number", "", ",20"},
    {"ReflectionColor", "ColorRGB", "Color", "", ",0,0,0"},
    {"ReflectionFactor", "double", "Number", "", ",1"},
};

constexpr Property kTextureTemplate[] = {
    {"TextureTypeUse", "enum", "", "", ",0"},
    {"Texture alpha", "Number", "", "A+", ",1"},
    {"CurrentMappingType;WrapModeU;WrapModeV", "enum", "", "", ",0"},
    {"UVSwap", "bool", "", "", ",0"},
    {"Translation;Rotation", "Vector", "", "A+", ",0,0,0"},
    {"Scaling", "Vector", "", "A+", ",1,1,1"},
    {"TextureRotationPivot;TextureScalingPivot", "Vector3D", "Vector", "", ",0,0,0"},
    {"UseMaterial;UseMipMap", "bool", "", "", ",0"},
    {"CurrentTextureBlendMode", "enum", "", "", ",1"},
    {"UVSet", "KString", "", "", ", \"default\""},
};

constexpr Property kNodeTemplate[] = {
    {"QuaternionInterpolate", "bool", "", "", ",0"},
    {"RotationOffset;RotationPivot;ScalingOffset;ScalingPivot", "Vector3D", "Vector", "", ",0,0,0"},
    {"TranslationActive", "bool", "", "", ",0"},
    {"TranslationMin;TranslationMax", "Vector3D", "Vector", "", ",0,0,0"},
    {"TranslationMinX;TranslationMinY;TranslationMinZ;TranslationMaxX;TranslationMaxY;TranslationMaxZ", "bool", "",
     "", ",0"},
    {"RotationOrder", "enum", "", "", ",0"},
    {"RotationSpaceForLimitOnly", "bool", "", "", ",0"},
    {"RotationStiffnessX;RotationStiffnessY;RotationStiffnessZ", "double", "Number", "", ",0"},
    {"AxisLen", "double", "Number", "", ",10"},
    {"PreRotation;PostRotation", "Vector3D", "Vector", "", ",0,0,0"},
    {"RotationActive", "bool", "", "", ",0"},
    {"RotationMin;RotationMax", "Vector3D", "Vector", "", ",0,0,0"},
    {"RotationMinX;RotationMinY;RotationMinZ;RotationMaxX;RotationMaxY;RotationMaxZ", "bool", "", "", ",0"},
    {"InheritType", "enum", "", "", ",0"},
    {"ScalingActive", "bool", "", "", ",0"},
    {"ScalingMin", "Vector3D", "Vector", "", ",0,0,0"},
    {"ScalingMax", "Vector3D", "Vector", "", ",1,1,1"},
    {"ScalingMinX;ScalingMinY;ScalingMinZ;ScalingMaxX;ScalingMaxY;ScalingMaxZ", "bool", "", "", ",0"},
    {"GeometricTranslation;GeometricRotation", "Vector3D", "Vector", "", ",0,0,0"},
    {"GeometricScaling", "Vector3D", "Vector", "", ",1,1,1"},
    {"MinDampRangeX;MinDampRangeY;MinDampRangeZ;MaxDampRangeX;MaxDampRangeY;MaxDampRangeZ;MinDampStrengthX;"
     "MinDampStrengthY;MinDampStrengthZ;MaxDampStrengthX;MaxDampStrengthY;MaxDampStrengthZ;PreferedAngleX;"
     "PreferedAngleY;PreferedAngleZ",
     "double", "Number", "", ",0"},
    {"LookAtProperty;UpVectorProperty", "object", "", "", ""},
    {"Show;NegativePercentShapeSupport", "bool", "", "", ",1"},
    {"DefaultAttributeIndex", "int", "Integer", "", ",-1"},
    {"Freeze;LODBox", "bool", "", "", ",0"},
    {"Lcl Translation", "Lcl Translation", "", "A+", ",0,0,0"},
    {"Lcl Rotation", "Lcl Rotation", "", "A+", ",0,0,0"},
    {"Lcl Scaling", "Lcl Scaling", "", "A+", ",1,1,1"},
    {"Visibility", "Visibility", "", "A+", ",1"},
};

constexpr Property kMeshTemplate[] = {
    {"Color", "ColorRGB", "Color", "", ",0.8,0.8,0.8"},
    {"BBoxMin;BBoxMax", "Vector3D", "Vector", "", ",0,0,0"},
};

constexpr Property kMeshModel[] = {
    {"RotationOrder", "enum", "", "", ",4"},
    {"RotationActive", "bool", "", "", ",1"},
    {"InheritType", "enum", "", "", ",1"},
    {"ScalingMin", "Vector3D", "Vector", "", ",1,1,1"},
    {"DefaultAttributeIndex", "int", "Integer", "", ",0"},
    {"CullingMode", "enum", "", "U", ",1, \"\""},
};

constexpr Property kDefaultMaterial[] = {
    {"DiffuseColor", "ColorRGB", "Color", "", ",0.600000023841858,0.600000023841858,0.600000023841858"},
    {"SpecularColor", "ColorRGB", "Color", "", ",0,0,0"},
    {"ShininessExponent", "double", "Number", "", ",0.4"},
    {"Emissive", "Vector3D", "Vector", "", ",0,0,0"},
    {"Ambient", "Vector3D", "Vector", "", ",0.2,0.2,0.2"},
    {"Diffuse", "Vector3D", "Vector", "", ",0.600000023841858,0.600000023841858,0.600000023841858"},
    {"Specular", "Vector3D", "Vector", "", ",0,0,0"},
    {"Shininess", "double", "Number", "", ",0.4"},
    {"Opacity", "double", "Number", "", ",1"},
    {"Reflectivity", "double", "Number", "", ",0"},
};

constexpr Property kTexture[] = {
    {"UseMaterial", "bool", "", "", ",1"},
    {"UVSet", "KString", "", "", ", \"UV Texture\""},
};

constexpr std::string_view kDashes = ";------------------------------------------------------------------\n";

bool IsTextured(const CMaterial& material) { return !material.m_texture.empty(); }

// CP932 text for a quoted FBX string: UTF-8, with nothing that would end the string early.
std::string FbxText(std::string_view cp932Text) { return cp932::ToUtf8(QuotableText(cp932Text)); }

void WriteHeader(TextWriter& out, const std::string& path)
{
    out.Text("; FBX 7.1.0 project file\n"
             "; Copyright (C) 1997-2010 Autodesk Inc. and/or its licensors.\n"
             "; All rights reserved.\n"
             "; ----------------------------------------------------\n"
             "\n"
             "FBXHeaderExtension:  {\n"
             "\tFBXHeaderVersion: 1003\n"
             "\tFBXVersion: 7100\n"
             "\tCreationTimeStamp:  {\n"
             "\t\tVersion: 1000\n"
             "\t\tYear: 2013\n"
             "\t\tMonth: 6\n"
             "\t\tDay: 3\n"
             "\t\tHour: 14\n"
             "\t\tMinute: 20\n"
             "\t\tSecond: 15\n"
             "\t\tMillisecond: 950\n"
             "\t}\n"
             "\tCreator: \"FBX SDK/FBX Plugins version 2011.3\"\n"
             "\tSceneInfo: \"SceneInfo::GlobalInfo\", \"UserData\" {\n"
             "\t\tType: \"UserData\"\n"
             "\t\tVersion: 100\n"
             "\t\tMetaData:  {\n"
             "\t\t\tVersion: 100\n"
             "\t\t\tTitle: \"\"\n"
             "\t\t\tSubject: \"FBX Scene\"\n"
             "\t\t\tAuthor: \"Kinemorphix FBX Exporter\"\n"
             "\t\t\tKeywords: \"Scene\"\n"
             "\t\t\tRevision: \"rev. 1.0\"\n"
             "\t\t\tComment: \"Kinemorphix Scene export\"\n"
             "\t\t}\n"
             "\t\tProperties70:  {\n");
    const std::string url = FbxText(path);
    out.Print("\t\t\tP: \"DocumentUrl\", \"KString\", \"Url\", \"\", \"%s\"\n", url);
    out.Print("\t\t\tP: \"SrcDocumentUrl\", \"KString\", \"Url\", \"\", \"%s\"\n", url);
    WriteProperties(out, "\t\t\t", kSceneInfo);
    out.Text("\t\t}\n"
             "\t}\n"
             "}\n"
             "GlobalSettings:  {\n"
             "\tVersion: 1000\n"
             "\tProperties70:  {\n");
    WriteProperties(out, "\t\t", kGlobalSettings);
    out.Text("\t}\n"
             "}\n"
             "; Documents Description\n");
    out.Text(kDashes);
    out.Text("Documents:  {\n"
             "\tCount: 1\n");
    out.Print("\tDocument: %d, \"\", \"Scene\" {\n", kDocumentId);
    out.Text("\t\tProperties70:  {\n");
    WriteProperties(out, "\t\t\t", kDocument);
    out.Text("\t\t}\n"
             "\t\tRootNode: 0\n"
             "\t}\n"
             "}\n"
             "; Document References\n");
    out.Text(kDashes);
    out.Text("References:  {\n"
             "}\n");
}

void WriteTemplatedType(TextWriter& out, std::string_view type, std::int64_t count, std::string_view propertyTemplate,
                        std::span<const Property> rows)
{
    out.Print("\tObjectType: \"%s\" {\n", type);
    out.Print("\t\tCount: %d\n", count);
    out.Print("\t\tPropertyTemplate: \"%s\" {\n", propertyTemplate);
    out.Text("\t\t\tProperties70:  {\n");
    WriteProperties(out, "\t\t\t\t", rows);
    out.Text("\t\t\t}\n"
             "\t\t}\n"
             "\t}\n");
}

void WritePlainType(TextWriter& out, std::string_view type, std::int64_t count)
{
    out.Print("\tObjectType: \"%s\" {\n", type);
    out.Print("\t\tCount: %d\n", count);
    out.Text("\t}\n");
}

void WriteDefinitions(TextWriter& out, std::int64_t models, std::int64_t materials, std::int64_t textures)
{
    out.Text("; Object definitions\n");
    out.Text(kDashes);
    out.Text("Definitions:  {\n"
             "\tVersion: 100\n");
    out.Print("\tCount: %d\n", 14 * models + materials + textures + 5);
    WritePlainType(out, "GlobalSettings", 1);
    WriteTemplatedType(out, "AnimationStack", 1, "KFbxAnimStack", kAnimStackTemplate);
    WriteTemplatedType(out, "AnimationLayer", 1, "KFbxAnimLayer", kAnimLayerTemplate);
    WriteTemplatedType(out, "Material", materials + 1, "KFbxSurfacePhong", kPhongTemplate);
    if (textures > 0)
        WriteTemplatedType(out, "Texture", 1, "KFbxTexture", kTextureTemplate);
    WritePlainType(out, "AnimationCurveNode", 3 * models);
    WritePlainType(out, "AnimationCurve", 9 * models);
    WriteTemplatedType(out, "Model", models, "KFbxNode", kNodeTemplate);
    WriteTemplatedType(out, "Geometry", models, "KFbxMesh", kMeshTemplate);
    WritePlainType(out, "Pose", 1);
    out.Text("}\n");
}

void WriteMaterialObjects(const std::vector<CMaterial>& materials, TextWriter& out)
{
    static constexpr Property kAfterDiffuseColor[] = {
        {"Bump", "Vector3D", "Vector", "", ",1,1,1"},
        {"SpecularColor", "ColorRGB", "Color", "", ",0,0,0"},
        {"ShininessExponent", "double", "Number", "", ",0.4"},
        {"Emissive", "Vector3D", "Vector", "", ",0,0,0"},
        {"Ambient", "Vector3D", "Vector", "", ",0.2,0.2,0.2"},
    };
    static constexpr Property kAfterDiffuse[] = {
        {"Specular", "Vector3D", "Vector", "", ",0,0,0"},
        {"Shininess", "double", "Number", "", ",0.4"},
    };
    static constexpr Property kAfterOpacity[] = {{"Reflectivity", "double", "Number", "", ",0"}};

    out.Print("\tMaterial: %d, \"Material::Default\", \"\" {\n", kDefaultMaterialId);
    out.Text("\t\tVersion: 102\n"
             "\t\tShadingModel: \"phong\"\n"
             "\t\tMultiLayer: 0\n"
             "\t\tProperties70:  {\n");
    WriteProperties(out, "\t\t\t", kDefaultMaterial);
    out.Text("\t\t}\n"
             "\t}\n");
    for (std::size_t k = 0; k < materials.size(); ++k) {
        const auto& c = materials[k].m_color;
        out.Print("\tMaterial: %d, \"Material::%s\", \"\" {\n", kMaterialBase + static_cast<std::int64_t>(k),
                  FbxText(materials[k].m_name));
        out.Text("\t\tVersion: 102\n"
                 "\t\tShadingModel: \"phong\"\n"
                 "\t\tMultiLayer: 0\n"
                 "\t\tProperties70:  {\n");
        out.Print("\t\t\tP: \"DiffuseColor\", \"ColorRGB\", \"Color\", \"\",%f,%f,%f\n", c[0], c[1], c[2]);
        WriteProperties(out, "\t\t\t", kAfterDiffuseColor);
        out.Print("\t\t\tP: \"Diffuse\", \"Vector3D\", \"Vector\", \"\",%f,%f,%f\n", c[0], c[1], c[2]);
        WriteProperties(out, "\t\t\t", kAfterDiffuse);
        out.Print("\t\t\tP: \"Opacity\", \"double\", \"Number\", \"\",%f\n", c[3]);
        WriteProperties(out, "\t\t\t", kAfterOpacity);
        out.Text("\t\t}\n"
                 "\t}\n");
    }
    for (std::size_t k = 0; k < materials.size(); ++k) {
        if (!IsTextured(materials[k]))
            continue;
        const std::string path = FbxText(materials[k].m_texture);
        out.Print("\tTexture: %d, \"%s\", \"\" {\n", kTextureBase + static_cast<std::int64_t>(k), path);
        out.Text("\t\tType: \"TextureVideoClip\"\n"
                 "\t\tVersion: 202\n");
        out.Print("\t\tTextureName: \"Texture::%s\"\n", path);
        out.Text("\t\tProperties70:  {\n");
        WriteProperties(out, "\t\t\t", kTexture);
        out.Text("\t\t}\n");
        out.Print("\t\tFileName: \"%s\"\n", path);
        out.Print("\t\tRelativeFilename: \"%s\"\n", path);
        out.Text("\t\tModelUVTranslation: 0,0\n"
                 "\t\tModelUVScaling: 1,1\n"
                 "\t\tTexture_Alpha_Source: \"None\"\n"
                 "\t\tCropping: 0,0,0,0\n"
                 "\t}\n");
    }
}

void WriteModelObject(const CModel& model, std::int64_t m, TextWriter& out)
{
    out.Print("\tModel: %d, \"Model::%s\", \"Mesh\" {\n", kModelBase + m, FbxText(model.m_name));
    out.Text("\t\tVersion: 232\n"
             "\t\tProperties70:  {\n");
    WriteProperties(out, "\t\t\t", kMeshModel);
    out.Text("\t\t}\n"
             "\t\tMultiLayer: 0\n"
             "\t\tMultiTake: 1\n"
             "\t\tShading: T\n"
             "\t\tCulling: \"CullingOff\"\n"
             "\t}\n");
}

void WriteCurveNodes(std::int64_t m, TextWriter& out)
{
    static constexpr std::string_view kNames[3] = {"T", "R", "S"};
    for (int node = 0; node < 3; ++node) {
        const std::string_view value = node == 2 ? ",1" : ",0";
        const Property rows[] = {{"d", "Compound", "", "", ""}, {"d|X;d|Y;d|Z", "Number", "", "A+", value}};
        out.Print("\tAnimationCurveNode: %d, \"AnimCurveNode::%s\", \"\" {\n", kCurveNodeBase[node] + m, kNames[node]);
        out.Text("\t\tProperties70:  {\n");
        WriteProperties(out, "\t\t\t", rows);
        out.Text("\t\t}\n"
                 "\t}\n");
    }
}

// The corner order of a written polygon: last corner first.
template <class Visit>
void ForEachCornerReversed(const CFace& face, Visit visit)
{
    for (std::size_t c = face.m_indices.size(); c-- > 0;)
        visit(c);
}

}  // namespace

void WriteFbxGeometry(const CCentigrade& scene, std::size_t k, const MaterialLookup& lookup, TextWriter& out,
                      bool textured, float scale)
{
    const CModel& model = scene.m_models[k];
    const std::size_t vertexCount = model.m_vertices.size();
    std::int64_t corners = 0;
    std::int64_t polygons = 0;
    for (const CFace& face : model.m_faces) {
        if (IsExportableFace(face, vertexCount)) {
            corners += static_cast<std::int64_t>(face.m_indices.size());
            ++polygons;
        }
    }
    // Runs visit(face) over the written faces.
    const auto faces = [&](auto visit) {
        for (const CFace& face : model.m_faces)
            if (IsExportableFace(face, vertexCount))
                visit(face);
    };

    out.Print("\tGeometry: %d, \"Geometry::\", \"Mesh\" {\n", kGeometryBase + static_cast<std::int64_t>(k));
    out.Print("\t\tVertices: *%d {\n", 3 * vertexCount);
    out.Text("a: ");
    for (const CVector& v : model.m_vertices)
        out.Print("%f,%f,%f,", v.m_x * scale, v.m_y * scale, v.m_z * scale);
    out.Text("\n}\n");

    // Corners last first; the first corner's index complemented ends the polygon.
    out.Print("\t\tPolygonVertexIndex: *%d {\n", corners);
    out.Text("a: ");
    faces([&](const CFace& face) {
        const auto& i = face.m_indices;
        if (i.size() == 3)
            out.Print("%d,%d,%d,", i[2], i[1], -(i[0] + 1));
        else
            out.Print("%d,%d,%d,%d,", i[3], i[2], i[1], -(i[0] + 1));
    });
    out.Text("\n} \n"
             "\t\tGeometryVersion: 124\n");

    out.Text("\t\tLayerElementNormal: 0 {\n"
             "\t\t\tVersion: 101\n"
             "\t\t\tName: \"\"\n"
             "\t\t\tMappingInformationType: \"ByPolygonVertex\"\n"
             "\t\t\tReferenceInformationType: \"Direct\"\n");
    out.Print("\t\t\tNormals: *%d {\n", 3 * corners);
    out.Text("a: ");
    faces([&](const CFace& face) {
        ForEachCornerReversed(face, [&](std::size_t c) {
            CVector n(0.0f, 0.0f, 0.0f);
            if (c < face.m_cornerNormals.size())
                n = face.m_cornerNormals[c];
            n.Normalize();
            out.Print("%f,%f,%f,", -n.m_x, -n.m_y, -n.m_z);
        });
    });
    out.Text("\n}\n"
             "\t\t}\n");

    if (textured) {
        out.Text("\t\tLayerElementUV: 0 {\n"
                 "\t\t\tVersion: 101\n"
                 "\t\t\tName: \"UV Texture\"\n"
                 "\t\t\tMappingInformationType: \"ByPolygonVertex\"\n"
                 "\t\t\tReferenceInformationType: \"IndexToDirect\"\n");
        out.Print("\t\t\tUV: *%d {\n", 2 * corners);
        out.Text("a: ");
        faces([&](const CFace& face) {
            ForEachCornerReversed(face, [&](std::size_t c) {
                const CUV uv = c < face.m_uvs.size() ? face.m_uvs[c] : CUV();
                out.Print("%f,%f,", uv.m_u, 1.0f - uv.m_v);
            });
        });
        out.Text("\n}\n");
        out.Print("\t\t\tUVIndex: *%d {\n", corners);
        out.Text("a: ");
        for (std::int64_t c = 0; c < corners; ++c) {
            out.Integer(c);
            out.Text(",");
        }
        out.Text("\n}\n"
                 "\t\t}\n");
    }

    // Material numbers as places in the model's material list: every material, then the
    // default one for faces whose number names none.
    out.Text("\t\tLayerElementMaterial: 0 {\n"
             "\t\t\tVersion: 101\n"
             "\t\t\tName: \"\"\n"
             "\t\t\tMappingInformationType: \"ByPolygon\"\n"
             "\t\t\tReferenceInformationType: \"IndexToDirect\"\n");
    out.Print("\t\t\tMaterials: *%d {\n", polygons);
    out.Text("a: ");
    faces([&](const CFace& face) {
        out.Print("%d,", lookup.Slot(face.m_material));
    });
    out.Text("\n}\n"
             "\t\t}\n");

    if (textured) {
        // Per material, its place among the textured materials (-1 when untextured).
        std::vector<std::int32_t> textureIndex;
        std::int32_t textures = 0;
        for (const CMaterial& material : scene.m_materials)
            textureIndex.push_back(IsTextured(material) ? textures++ : -1);
        out.Text("\t\tLayerElementTexture: 0 {\n"
                 "\t\t\tVersion: 101\n"
                 "\t\t\tName: \"\"\n"
                 "\t\t\tMappingInformationType: \"ByPolygon\"\n"
                 "\t\t\tReferenceInformationType: \"IndexToDirect\"\n"
                 "\t\t\tBlendMode: \"Translucent\"\n"
                 "\t\t\tTextureAlpha: 1\n");
        out.Print("\t\t\tTextureId: *%d {\n", polygons);
        out.Text("a: ");
        faces([&](const CFace& face) {
            const std::int32_t found = lookup.Find(face.m_material);
            out.Print("%d,", found == MaterialLookup::kNone ? -1 : textureIndex[static_cast<std::size_t>(found)]);
        });
        out.Text("\n}\n"
                 "\t\t}\n");
    }

    out.Text("\t\tLayer: 0 {\n"
             "\t\t\tVersion: 100\n"
             "\t\t\tLayerElement:  {\n"
             "\t\t\t\tType: \"LayerElementNormal\"\n"
             "\t\t\t\tTypedIndex: 0\n"
             "\t\t\t}\n"
             "\t\t\tLayerElement:  {\n"
             "\t\t\t\tType: \"LayerElementMaterial\"\n"
             "\t\t\t\tTypedIndex: 0\n"
             "\t\t\t}\n");
    if (textured)
        out.Text("\t\t\tLayerElement:  {\n"
                 "\t\t\t\tType: \"LayerElementTexture\"\n"
                 "\t\t\t\tTypedIndex: 0\n"
                 "\t\t\t}\n"
                 "\t\t\tLayerElement:  {\n"
                 "\t\t\t\tType: \"LayerElementUV\"\n"
                 "\t\t\t\tTypedIndex: 0\n"
                 "\t\t\t}\n");
    out.Text("\t\t}\n"
             "\t}\n");
}

void WriteFbxConnections(const CCentigrade& scene, std::size_t k, TextWriter& out)
{
    static constexpr std::string_view kAxes[3] = {"d|X", "d|Y", "d|Z"};
    static constexpr std::string_view kLocal[3] = {"Lcl Translation", "Lcl Rotation", "Lcl Scaling"};
    const auto m = static_cast<std::int64_t>(k);
    const std::int64_t model = kModelBase + m;
    const std::vector<CMaterial>& materials = scene.m_materials;
    // The layer's stack and the textures' materials are the same for every model: they are
    // connected once, with the first model, as a second link would be a duplicate.
    const bool first = k == 0;
    out.Print("\tC: \"OO\",%d,0\n", model);
    if (first)
        out.Print("\tC: \"OO\",%d,%d\n", kLayerId, kStackId);
    for (const std::int64_t node : kCurveNodeBase)
        out.Print("\tC: \"OO\",%d,%d\n", node + m, kLayerId);
    for (std::size_t i = 0; i < materials.size() && first; ++i)
        if (IsTextured(materials[i]))
            out.Print("\tC: \"OP\",%d,%d, \"DiffuseColor\"\n", kTextureBase + static_cast<std::int64_t>(i),
                      kMaterialBase + static_cast<std::int64_t>(i));
    for (int node = 0; node < 3; ++node)
        for (int axis = 0; axis < 3; ++axis)
            out.Print("\tC: \"OP\",%d,%d, \"%s\"\n", kCurveBase + 1000000 * (3 * node + axis) + m,
                      kCurveNodeBase[node] + m, kAxes[axis]);
    out.Print("\tC: \"OO\",%d,%d\n", kGeometryBase + m, model);
    for (std::size_t i = 0; i < materials.size(); ++i)
        out.Print("\tC: \"OO\",%d,%d\n", kMaterialBase + static_cast<std::int64_t>(i), model);
    // Faces naming no listed material use the default material, connected after the others.
    if (MaterialLookup(materials).NeedsDefault(scene.m_models[k]))
        out.Print("\tC: \"OO\",%d,%d\n", kDefaultMaterialId, model);
    for (std::size_t i = 0; i < materials.size(); ++i)
        if (IsTextured(materials[i]))
            out.Print("\tC: \"OP\",%d,%d, \"DiffuseColor\"\n", kTextureBase + static_cast<std::int64_t>(i), model);
    for (int node = 0; node < 3; ++node)
        out.Print("\tC: \"OP\",%d,%d, \"%s\"\n", kCurveNodeBase[node] + m, model, kLocal[node]);
}

void WriteFbxAscii(const CCentigrade& scene, TextWriter& out, const std::string& path, float scale)
{
    const auto models = static_cast<std::int64_t>(scene.m_models.size());
    const auto materials = static_cast<std::int64_t>(scene.m_materials.size());
    std::int64_t textures = 0;
    for (const CMaterial& material : scene.m_materials)
        textures += IsTextured(material) ? 1 : 0;
    const MaterialLookup lookup(scene.m_materials);

    WriteHeader(out, path);
    WriteDefinitions(out, models, materials, textures);

    out.Text("; Object properties\n");
    out.Text(kDashes);
    out.Text("Objects:  {\n");
    for (std::size_t k = 0; k < scene.m_models.size(); ++k)
        WriteFbxGeometry(scene, k, lookup, out, textures > 0, scale);
    for (std::size_t k = 0; k < scene.m_models.size(); ++k)
        WriteModelObject(scene.m_models[k], static_cast<std::int64_t>(k), out);
    out.Print("\tPose: %d, \"Pose::Default Pose\", \"BindPose\" {\n", kPoseId);
    out.Text("\t\tType: \"BindPose\"\n"
             "\t\tVersion: 100\n"
             "\t\tNbPoseNodes: 0\n"
             "\t}\n");
    WriteMaterialObjects(scene.m_materials, out);
    out.Print("\tAnimationStack: %d, \"AnimStack::Base Stack\", \"\" {\n", kStackId);
    out.Text("\t}\n");
    out.Print("\tAnimationLayer: %d, \"AnimLayer::DefaultLayer\", \"\" {\n", kLayerId);
    out.Text("\t}\n");
    for (std::int64_t m = 0; m < models; ++m)
        WriteCurveNodes(m, out);
    out.Text("}\n");

    out.Text("; Object connections\n");
    out.Text(kDashes);
    out.Text("Connections:  {\n");
    for (std::size_t k = 0; k < scene.m_models.size(); ++k)
        WriteFbxConnections(scene, k, out);
    out.Text("}\n");

    out.Text(";Takes section\n"
             ";----------------------------------------------------\n"
             "Takes:  {\n"
             "\tCurrent: \"\"\n"
             "\tTake: \"Base Stack\" {\n"
             "\t\tFileName: \"Base_Stack.tak\"\n");
    out.Print("\t\tLocalTime: %d\n", kTimeSpanStop);
    out.Print("\t\tReferenceTime: 0,%d\n", kTimeSpanStop);
    out.Text("\t}\n"
             "}\n");
}

ExportResult ExportFbxAscii(const CCentigrade& scene, const std::string& path, ExportAnimationForm, int, float scale)
{
    ExportFile file(path);
    if (file.IsOpen())
        WriteFbxAscii(scene, file.Writer(), path, scale);
    return file.Finish();
}
