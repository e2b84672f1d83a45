// Scenes for tests of the terrain nodes: maps made as PNG image resources from a colour per pixel,
// and a camera named "camera" placed to look along a horizontal direction.
#pragma once

#include "graph/transform/transform.h"
#include "resource/png_image.h"
#include "tests/support/image_fixture.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace Testing {

class TerrainSceneFixture : public ViewSceneFixture
{
protected:
    // A map whose pixel (x, y) has the colour 0xRRGGBB that colour(x, y) gives.
    template <typename Colour>
    void AddMap(const char* id, UInt32 width, UInt32 height, Colour colour)
    {
        mCollection.AddObject(id, &Resource::PngImage::Create, EncodeColourPng(width, height, colour));
    }
    // A map with only a red channel, red(x, y).
    template <typename Red>
    void AddRedMap(const char* id, UInt32 width, UInt32 height, Red red)
    {
        AddMap(id, width, height, [&](UInt32 x, UInt32 y) { return UInt32(red(x, y)) << 16; });
    }
    // The node "camera" of the scene at (x, y, z), looking along the horizontal direction (dx, dz).
    void PlaceCamera(Graph::INamespace* scene, Float x, Float y, Float z, Float dx, Float dz)
    {
        Math::Matrix<float>& m = Find<Graph::Transform>(scene, "camera")->GetTransform();
        m.SetIdentity();
        m[0] = -dz;
        m[2] = dx;
        m[8] = -dx;
        m[10] = -dz;
        m.SetTranslation(x, y, z);
    }
};

} // namespace Testing
} // namespace Vorn
