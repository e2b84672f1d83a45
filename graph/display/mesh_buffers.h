// The display buffers of a mesh resource, as the mesh and BSP drawables make them: one display
// vertex buffer per mesh vertex buffer and one index buffer per mesh index buffer, each filled
// from the mesh and initialised.
#pragma once

#include "foundation/types.h"
#include "graph/display/drawable.h"

namespace Vorn {

namespace Resource {
class IMesh;
}

namespace Graph {

enum class MeshBufferResult
{
    kDone,
    kCreateFailed,
    kInitFailed,
};

// Vertex buffer i: its vertices and vertex size, and each attribute at the mesh's offset. On
// kInitFailed the buffer is made but not initialised; on kCreateFailed nothing is made.
MeshBufferResult CreateMeshVertexBuffer(Display::IRenderer* renderer, const Resource::IMesh* mesh, UInt32 i,
                                        DisplayHandleT<Display::IVertexBuffer>& buffer);
// Index buffer i: its indices, primitive type, material slot and eight texture slots; prepare
// may add more before the buffer is initialised.
MeshBufferResult CreateMeshIndexBuffer(Display::IRenderer* renderer, const Resource::IMesh* mesh, UInt32 i,
                                       DisplayHandleT<Display::IIndexBuffer>& buffer,
                                       void (*prepare)(const Resource::IMesh* mesh, UInt32 i,
                                                       Display::IIndexBuffer* buffer) = nullptr);
// The drawable's bounding box and further value from the mesh.
void SetMeshBounds(Display::IDrawable* drawable, const Resource::IMesh* mesh);

} // namespace Graph
} // namespace Vorn
