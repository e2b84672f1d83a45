#include "graph/display/mesh_buffers.h"

#include "resource/mesh.h"

namespace Vorn {
namespace Graph {

MeshBufferResult CreateMeshVertexBuffer(Display::IRenderer* renderer, const Resource::IMesh* mesh, UInt32 i,
                                        DisplayHandleT<Display::IVertexBuffer>& buffer)
{
    if (!buffer.Create(renderer, "VertexBuffer"))
        return MeshBufferResult::kCreateFailed;
    const UInt32 count = mesh->GetNumberOfVertices(i);
    buffer->SetNumberOfVertices(count);
    buffer->SetVertexData(mesh->GetVertexData(i), count, mesh->GetVertexSize(i));
    for (UInt32 a = 0; a < mesh->GetNumberOfVertexAttributes(i); ++a) {
        UInt32 offset = mesh->GetVertexAttributeOffset(i, a);
        if (!buffer->AddAttribute(Enums::VertexAttribute(mesh->GetVertexAttributeKind(i, a)),
                                  Enums::AttributeType(mesh->GetVertexAttributeFormat(i, a)), offset))
            return MeshBufferResult::kInitFailed;
    }
    return buffer.Init() ? MeshBufferResult::kDone : MeshBufferResult::kInitFailed;
}

MeshBufferResult CreateMeshIndexBuffer(Display::IRenderer* renderer, const Resource::IMesh* mesh, UInt32 i,
                                       DisplayHandleT<Display::IIndexBuffer>& buffer,
                                       void (*prepare)(const Resource::IMesh* mesh, UInt32 i,
                                                       Display::IIndexBuffer* buffer))
{
    if (!buffer.Create(renderer, "IndexBuffer"))
        return MeshBufferResult::kCreateFailed;
    const UInt32 count = mesh->GetNumberOfIndices(i);
    buffer->SetNumberOfIndices(SInt32(count));
    buffer->SetIndexData(mesh->GetIndexData(i), count);
    buffer->SetPrimitiveType(Enums::PrimitiveType(mesh->GetPrimitiveType(i)));
    buffer->SetMaterialSlot(mesh->GetMaterialSlot(i));
    for (UInt32 unit = 0; unit < 8; ++unit)
        buffer->SetTextureSlot(SInt32(mesh->GetTextureSlot(i, unit)), unit);
    if (prepare != nullptr)
        prepare(mesh, i, buffer.Get());
    return buffer.Init() ? MeshBufferResult::kDone : MeshBufferResult::kInitFailed;
}

void SetMeshBounds(Display::IDrawable* drawable, const Resource::IMesh* mesh)
{
    const Float* minimum = mesh->GetBoundingBoxMinimum();
    const Float* maximum = mesh->GetBoundingBoxMaximum();
    drawable->SetBoundingBox(Math::Vector<float>(minimum[0], minimum[1], minimum[2], 1.0f),
                             Math::Vector<float>(maximum[0], maximum[1], maximum[2], 1.0f));
    drawable->SetValue(mesh->GetDrawableValue());
}

} // namespace Graph
} // namespace Vorn
