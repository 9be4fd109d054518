#include "import/MqoGrammar.h"

#include "import/BinaryVertexReport.h"
#include "scene/SceneLimits.h"

#include <algorithm>
#include <cstdint>
#include <sys/mman.h>

namespace mqo {

namespace {

bool Is(const StringSeparator& line, std::int64_t index, std::string_view text)
{
    return index >= 0 && index < line.TokenCount() && line.TokenEquals(static_cast<int>(index), text);
}

bool ClosesChunk(const StringSeparator& line) { return line.TokenCount() > 0 && line.Token(0) == "}"; }

// Wrapping addition: a material or vertex number from the file plus a base never overflows
// into undefined behaviour.
std::int32_t AddWrapping(std::int32_t a, std::int32_t b)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

struct ItemShape {
    MaterialItem item;
    std::string_view keyword;
    int tokens;  // keyword ( values... )
};

constexpr ItemShape kItemShapes[] = {
    {MaterialItem::Shader, "shader", 4}, {MaterialItem::Dbls, "dbls", 4},   {MaterialItem::Uid, "uid", 4},
    {MaterialItem::Col, "col", 7},       {MaterialItem::Dif, "dif", 4},     {MaterialItem::Amb, "amb", 4},
    {MaterialItem::Spc, "spc", 4},       {MaterialItem::Emi, "emi", 4},     {MaterialItem::Power, "power", 4},
    {MaterialItem::Tex, "tex", 4},       {MaterialItem::Aplane, "aplane", 4}, {MaterialItem::Bump, "bump", 4},
};

const ItemShape& ShapeOf(MaterialItem item)
{
    for (const ItemShape& shape : kItemShapes)
        if (shape.item == item)
            return shape;
    return kItemShapes[0];
}

// The line of n tokens ends in "[ bytes ]".
bool AnnouncesBinary(const StringSeparator& line, int n)
{
    return n >= 3 && line.Token(n - 3) == "[" && line.Token(n - 1) == "]";
}

// Numbers stored in the model are finite: nan, inf and numbers beyond the float range read
// as 0 (the reader counts them).
float FloatAt(const StringSeparator& line, int index) { return line.GetTokenFiniteFloat(index); }

void SetItem(const StringSeparator& line, int i, MaterialItem item, CMaterial& m)
{
    switch (item) {
    case MaterialItem::Shader:
    case MaterialItem::Dbls:
    case MaterialItem::Uid:
        break;
    case MaterialItem::Col:
        for (int c = 0; c < 4; ++c)
            m.m_color[c] = FloatAt(line, i + 2 + c);
        break;
    case MaterialItem::Dif: m.m_diffuse = FloatAt(line, i + 2); break;
    case MaterialItem::Amb: m.m_ambient = FloatAt(line, i + 2); break;
    case MaterialItem::Spc: m.m_specular = FloatAt(line, i + 2); break;
    case MaterialItem::Emi: m.m_emissive = FloatAt(line, i + 2); break;
    case MaterialItem::Power: m.m_power = FloatAt(line, i + 2); break;
    case MaterialItem::Tex: m.m_texture = std::string(line.Token(i + 2)); break;
    case MaterialItem::Aplane: m.m_alphaPlane = std::string(line.Token(i + 2)); break;
    case MaterialItem::Bump: m.m_bump = std::string(line.Token(i + 2)); break;
    }
}

}  // namespace

void ReadHeader(AsciiFileString& reader, AcceptedVersion accepted)
{
    reader.ReadLine();
    if (!(reader.FirstTokenIs("Metasequoia", 2) && reader.TokenEquals(1, "Document")))
        Fail(MqoErrorNotMetasequoia);
    reader.ReadLine();
    if (!(reader.FirstTokenIs("Format", 4) && reader.TokenEquals(1, "Text") && reader.TokenEquals(2, "Ver")))
        Fail(MqoErrorFormat);
    const double version = reader.GetTokenFloat(3);
    if (accepted == AcceptedVersion::Exactly10 ? version != 1.0 : !(version >= 1.0))
        Fail(MqoErrorFormat);
}

void ReadTopLevel(AsciiFileString& reader, const std::function<void()>& material,
                  const std::function<void(const std::string& name)>& object)
{
    for (;;) {
        const int n = reader.ReadLine();
        if (n < 0)
            return;
        if (n == 0)
            continue;
        if (reader.FirstTokenIs("Material", 2)) {
            if (reader.LastToken() != "{")
                Fail(MqoErrorSyntax);
            material();
        } else if (reader.FirstTokenIs("Object", 2)) {
            if (reader.LastToken() != "{")
                Fail(MqoErrorSyntax);
            object(n > 2 ? std::string(reader.Token(1)) : std::string());
        } else {
            SkipChunk(reader, n);
        }
    }
}

int ReadChunkLine(AsciiFileString& reader)
{
    const int n = reader.ReadLine();
    if (n < 0)
        Fail(MqoErrorEndOfFile);
    return n;
}

void SkipChunk(AsciiFileString& reader, int n)
{
    if (n <= 0)
        return;
    if (reader.LastToken() != "{") {
        if (AnnouncesBinary(reader, n))
            SkipBinaryData(reader, n);
        return;
    }
    for (long depth = 1; depth > 0;) {
        const int m = ReadChunkLine(reader);
        if (m == 0)
            continue;
        const std::string_view last = reader.LastToken();
        if (last == "{")
            ++depth;
        else if (last == "}")
            --depth;
        else if (AnnouncesBinary(reader, m))
            SkipBinaryData(reader, m);
    }
}

void SkipBinaryData(AsciiFileString& reader, int n)
{
    // The block starts right after the announcing line. A negative length would move the
    // stream backwards onto the same line again and again, so it is refused.
    const std::int32_t length = reader.GetTokenInt(n - 2);
    if (!reader.SkipBytes(length))
        Fail(MqoErrorSyntax);
}

void ReadVertexRows(AsciiFileString& reader, CModel& model)
{
    for (;;) {
        const int n = ReadChunkLine(reader);
        if (ClosesChunk(reader))
            return;
        if (n < 3)
            continue;
        model.m_vertices.emplace_back(FloatAt(reader, 0), FloatAt(reader, 1), FloatAt(reader, 2));
    }
}

bool ReadFaceRow(const StringSeparator& line, std::int32_t materialBase, CFace& face)
{
    const std::int64_t n = line.TokenCount();
    const std::int64_t k = line.GetTokenInt(0);
    if (n < 2 || !line.TokenEquals(1, "V") || n < k + 4)
        Fail(MqoErrorSyntax);
    // A negative corner count would put the items before the start of the row.
    if (k < 0)
        return false;
    if (!Is(line, 2, "(") || !Is(line, k + 3, ")"))
        return false;
    const int corners = static_cast<int>(std::min<std::int64_t>(k, 4));
    face.m_indices.resize(corners);
    for (int c = 0; c < corners; ++c)
        face.m_indices[c] = line.GetTokenInt(3 + c);

    std::int64_t p = k + 4;
    if (Is(line, p, "M") && n >= k + 8) {
        if (!Is(line, k + 5, "(") || !Is(line, k + 7, ")"))
            return false;
        face.m_material = AddWrapping(line.GetTokenInt(static_cast<int>(k + 6)), materialBase);
        p = k + 8;
    } else {
        face.m_material = materialBase;
    }
    if (Is(line, p, "UID") && n >= p + 4) {
        if (!Is(line, p + 1, "(") || !Is(line, p + 3, ")"))
            return false;
        p += 4;
    }
    if (Is(line, p, "UV") && n >= p + 2 * k + 3) {
        if (!Is(line, p + 1, "(") || !Is(line, p + 2 * k + 2, ")"))
            return false;
        face.m_uvs.resize(corners);
        for (int c = 0; c < corners; ++c) {
            face.m_uvs[c].m_u = FloatAt(line, static_cast<int>(p + 2 + 2 * c));
            face.m_uvs[c].m_v = FloatAt(line, static_cast<int>(p + 3 + 2 * c));
        }
    }
    return true;
}

void ReadFaceRows(AsciiFileString& reader, CModel& model, std::int32_t materialBase)
{
    for (;;) {
        const int n = ReadChunkLine(reader);
        if (ClosesChunk(reader))
            return;
        if (n == 0)
            continue;
        // Read straight into its place; a dropped row is taken back.
        CFace& face = model.m_faces.emplace_back();
        bool taken = false;
        try {
            taken = ReadFaceRow(reader, materialBase, face);
        } catch (...) {
            model.m_faces.pop_back();
            throw;
        }
        if (!taken)
            model.m_faces.pop_back();
    }
}

void ReadMaterialRow(const StringSeparator& line, std::initializer_list<MaterialItem> items, CMaterial& material)
{
    const int n = line.TokenCount();
    if (n <= 0)
        return;
    material.m_name = std::string(line.Token(0));
    int i = 1;
    while (i < n) {
        const ItemShape* known = nullptr;
        for (MaterialItem item : items) {
            const ItemShape& shape = ShapeOf(item);
            if (n >= i + shape.tokens && line.TokenEquals(i, shape.keyword)) {
                known = &shape;
                break;
            }
        }
        if (known) {
            if (!line.TokenEquals(i + 1, "(") || !line.TokenEquals(i + known->tokens - 1, ")"))
                return;
            SetItem(line, i, known->item, material);
            i += known->tokens;
            continue;
        }
        // Something this reader does not know: name(...) is passed over, anything else ends
        // the row.
        if (!line.TokenEquals(i + 1, "("))
            return;
        int close = i + 2;
        while (close < n && !line.TokenEquals(close, ")"))
            ++close;
        if (close >= n)
            return;
        i = close + 1;
    }
}

void ReadMaterialRows(AsciiFileString& reader, std::initializer_list<MaterialItem> items,
                      std::vector<CMaterial>& list, std::int32_t& nextId, bool loadTextures)
{
    for (;;) {
        const int n = ReadChunkLine(reader);
        if (n == 0)
            continue;
        if (reader.Token(0) == "}")
            return;
        // A row of a few bytes makes a material of some hundred: their number is bounded.
        if (list.size() >= static_cast<std::size_t>(kMaxMaterials))
            Fail(MqoErrorTooLarge);
        CMaterial material;
        ReadMaterialRow(reader, items, material);
        if (loadTextures)
            material.LoadTexture();
        material.m_id = nextId++;
        list.push_back(std::move(material));
    }
}

namespace {

// A large block is filled at once: ask for large pages, which saves most of the page faults
// of touching it (a hint only; it may be ignored).
void AdviseLargePages(void* data, std::size_t bytes)
{
    constexpr std::uintptr_t kLargePage = std::uintptr_t(2) << 20;
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + kLargePage - 1) & ~(kLargePage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~(kLargePage - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

// Room for the rows a chunk line announces: only a hint, never trusted beyond what the rest
// of the file can hold (a row takes at least 6 bytes).
template <class T>
void ReserveForRows(std::vector<T>& rows, const AsciiFileString& reader)
{
    const std::int64_t announced = reader.GetTokenInt(1);
    const std::int64_t left = reader.BytesLeft();
    if (announced <= 0 || left < 0)
        return;
    const std::size_t wanted = rows.size() + static_cast<std::size_t>(std::min(announced, left / 6));
    if (wanted <= rows.capacity())
        return;
    try {
        // Never less than doubling, so that many small chunks still grow geometrically.
        rows.reserve(std::max(wanted, 2 * rows.capacity()));
        AdviseLargePages(rows.data(), rows.capacity() * sizeof(T));
    } catch (const std::exception&) {
        // Without the room the rows still arrive, one at a time.
    }
}

}  // namespace

int ReadObjectBody(AsciiFileString& reader, CModel& model, const ObjectOptions& options)
{
    bool binaryVertices = false;
    for (;;) {
        const int n = ReadChunkLine(reader);
        if (ClosesChunk(reader))
            break;
        if (reader.FirstTokenIs("BVertex", 2))
            binaryVertices = true;
        if (reader.FirstTokenIs("facet", 2)) {
            if (options.readFacet)
                model.m_smoothingAngle = FloatAt(reader, 1);
        } else if (reader.FirstTokenIs("mirror_axis", 2)) {
            model.m_mirrorAxis = reader.GetTokenInt(1);
        } else if (reader.FirstTokenIs("vertex", 3)) {
            if (reader.LastToken() != "{")
                return 0;
            ReserveForRows(model.m_vertices, reader);
            ReadVertexRows(reader, model);
        } else if (reader.FirstTokenIs("face", 2)) {
            if (reader.LastToken() != "{")
                return 0;
            ReserveForRows(model.m_faces, reader);
            ReadFaceRows(reader, model, options.materialBase);
        } else {
            SkipChunk(reader, n);
        }
    }
    if (binaryVertices && model.m_vertices.empty())
        BinaryVertexReport::Skipped(model.m_name);
    return 1;
}

}  // namespace mqo
