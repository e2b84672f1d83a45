// A physics world for simulator tests and benchmarks: the real simulator with bodies, geometries,
// fields and springs that it registers the way the scene graph's logic traversal does before
// every step. Mesh floors come from "CGEO" files made with the chunk-file fixture and read by the
// engine's own collider reader.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "foundation/data.h"
#include "foundation/matrix.h"
#include "foundation/vector.h"
#include "physics/body.h"
#include "physics/physics_simulator.h"
#include "resource/native_collider.h"
#include "tests/support/chunk_file_fixture.h"

namespace Vorn {
namespace Testing {

// A triangle-mesh collider of two or more triangles given by their corners, under a chain of
// nodes; the reader keeps pointing into bytes that live as long as this object.
class MeshColliderFixture
{
public:
    typedef Math::Vector<float> Corner;

    explicit MeshColliderFixture(const std::vector<std::vector<Corner>>& triangles)
    {
        // Corners at the same place share one vertex, so that neighbouring triangles share edges.
        std::vector<Corner> vertices;
        std::vector<UInt32> leafWords;
        Corner low(1e30f, 1e30f, 1e30f, 0.0f);
        Corner high(-1e30f, -1e30f, -1e30f, 0.0f);
        for (const std::vector<Corner>& triangle : triangles) {
            UInt32 numbers[3];
            for (UInt32 c = 0; c < 3; ++c) {
                const Corner& corner = triangle[c];
                numbers[c] = UInt32(vertices.size());
                for (UInt32 v = 0; v < vertices.size(); ++v) {
                    if (vertices[v].x == corner.x && vertices[v].y == corner.y && vertices[v].z == corner.z)
                        numbers[c] = v;
                }
                if (numbers[c] == vertices.size())
                    vertices.push_back(corner);
                for (UInt32 i = 0; i < 3; ++i) {
                    low[i] = std::min(low[i], corner[i]);
                    high[i] = std::max(high[i], corner[i]);
                }
            }
            AppendLeaf(triangle, numbers, leafWords);
        }
        std::vector<UInt32> vertexWords;
        for (const Corner& vertex : vertices) {
            for (Float value : {vertex.x, vertex.y, vertex.z, 1.0f})
                vertexWords.push_back(FloatBits(value));
        }
        const UInt32 vertexCount = UInt32(vertices.size());
        // A chain of nodes, each over one leaf and the next node; the last over the last two leaves.
        const UInt32 leafCount = UInt32(triangles.size());
        const UInt32 nodeCount = leafCount > 1 ? leafCount - 1 : 1;
        const Corner centre = (low + high) * 0.5f;
        const Float radius = 0.5f * std::sqrt((high - low).Dot(high - low)) + 0.001f;
        std::vector<UInt32> nodeWords;
        for (UInt32 i = 0; i < nodeCount; ++i) {
            const SInt32 first = -SInt32(i) - 1;
            const SInt32 second = i + 1 < nodeCount ? SInt32(i + 1) : (leafCount > 1 ? -SInt32(i) - 2 : first);
            for (UInt32 word : {UInt32(first), UInt32(second), FloatBits(centre.x), FloatBits(centre.y),
                                FloatBits(centre.z), FloatBits(1.0f), FloatBits(radius)})
                nodeWords.push_back(word);
        }
        mFile = MakeChunkFile(MakeTag("CGEO"), {{MakeTag("HEAD"), {kVersionWord}},
                                                Table("VERT", vertexCount, vertexWords),
                                                Table("NODE", nodeCount, nodeWords),
                                                Table("LEAF", leafCount, leafWords)});
        Bool releaseData = false;
        Bool failed = false;
        mCollider.reset(static_cast<Resource::NativeCollider*>(Resource::NativeCollider::Create(
            nullptr, String("floor"), mFile.GetData(), mFile.GetSize(), nullptr, 0, &releaseData, &failed)));
        EXPECT_NE(mCollider, nullptr);
    }

    const Resource::ICollider* Get() const { return mCollider.get(); }

private:
    static RawChunk Table(const char (&tag)[5], UInt32 count, const std::vector<UInt32>& records)
    {
        RawChunk chunk = {MakeTag(tag), {count, 8}};
        chunk.words.insert(chunk.words.end(), records.begin(), records.end());
        return chunk;
    }

    // The triangle's normal (corner 1 minus 0, crossed with corner 2 minus 0), vertex numbers,
    // the matrix from the two kept in-plane coordinates to the weights of those two edges, the
    // axis selector of the normal's largest component, and the bounding sphere.
    static void AppendLeaf(const std::vector<Corner>& corners, const UInt32 numbers[3], std::vector<UInt32>& words)
    {
        const Corner e1 = corners[1] - corners[0];
        const Corner e2 = corners[2] - corners[0];
        Corner normal = e1.Cross(e2);
        normal *= 1.0f / std::sqrt(normal.Dot(normal));
        // Selector 1 keeps x and z, 2 keeps x and y, others y and z; p1 is the first kept.
        const Float ax = std::fabs(normal.x);
        const Float ay = std::fabs(normal.y);
        const Float az = std::fabs(normal.z);
        const UInt32 axis = ay >= ax && ay >= az ? 1 : (az >= ax ? 2 : 0);
        auto kept = [axis](const Corner& c, Float& p1, Float& p2) {
            p1 = axis == 0 ? c.y : c.x;
            p2 = axis == 1 ? c.z : (axis == 2 ? c.y : c.z);
        };
        Float a1;
        Float a2;
        Float b1;
        Float b2;
        kept(e1, a1, a2);
        kept(e2, b1, b2);
        // p = u e1 + v e2 in the kept coordinates; u = m00 p2 + m01 p1, v = m10 p2 + m11 p1.
        const Float det = a1 * b2 - b1 * a2;
        const Float m[4] = {-b1 / det, b2 / det, a1 / det, -a2 / det};
        const Corner centre = (corners[0] + corners[1] + corners[2]) * (1.0f / 3.0f);
        Float radius = 0.0f;
        for (const Corner& corner : corners)
            radius = std::max(radius, std::sqrt((corner - centre).Dot(corner - centre)));
        for (Float value : {normal.x, normal.y, normal.z})
            words.push_back(FloatBits(value));
        for (UInt32 i = 0; i < 3; ++i)
            words.push_back(numbers[i]);
        for (Float value : m)
            words.push_back(FloatBits(value));
        words.push_back(axis);
        for (Float value : {centre.x, centre.y, centre.z, 1.0f})
            words.push_back(FloatBits(value));
        words.push_back(FloatBits(radius + 0.001f));
    }

    Data mFile;
    std::unique_ptr<Resource::NativeCollider> mCollider;
};

// Matrices for placing bodies and geometries.
inline Math::Matrix<float> Translated(Float x, Float y, Float z)
{
    Math::Matrix<float> matrix;
    matrix.SetTranslation(x, y, z);
    return matrix;
}

// A rotation by angle about the z axis (exact sine and cosine), then the translation.
inline Math::Matrix<float> TurnedAboutZ(Float angle, Float x = 0.0f, Float y = 0.0f, Float z = 0.0f)
{
    Math::Matrix<float> matrix;
    const Float c = std::cos(angle);
    const Float s = std::sin(angle);
    matrix[0] = c;
    matrix[1] = s;
    matrix[4] = -s;
    matrix[5] = c;
    matrix.SetTranslation(x, y, z);
    return matrix;
}

class PhysicsWorld
{
public:
    struct GeometryEntry
    {
        Physics::IGeometry* mGeometry = nullptr;
        Math::Matrix<float> mLocal;
    };

    // A body with its node matrix, the geometries and the child bodies registered under it.
    struct BodyEntry
    {
        Physics::IBody* mBody = nullptr;
        Math::Matrix<float> mWorld;
        std::vector<GeometryEntry*> mGeometries;
        std::vector<BodyEntry*> mChildren;
        Bool mRoot = true;

        Physics::Body* Get() const { return static_cast<Physics::Body*>(mBody); }
        Math::Vector<float> GetPosition() const { return Get()->GetPosition(); }
    };

    PhysicsWorld() { EXPECT_TRUE(mSimulator.Init()); }
    ~PhysicsWorld()
    {
        for (auto& geometry : mGeometries)
            mSimulator.DestroyGeometry(geometry->mGeometry);
        for (auto& body : mBodies)
            mSimulator.DestroyBody(body->mBody);
        for (Physics::IField*& field : mFields)
            mSimulator.DestroyField(field);
        for (Physics::ISpring*& spring : mSprings)
            mSimulator.DestroySpring(spring);
        mSimulator.DeInit();
    }

    PhysicsWorld(const PhysicsWorld&) = delete;
    PhysicsWorld& operator=(const PhysicsWorld&) = delete;

    // A body placed by the matrix (relative to the parent for a child body), initialised with
    // the inverse mass; the groups make it collide with every other body.
    BodyEntry* AddBody(const Math::Matrix<float>& placement, Float inverseMass = 1.0f, BodyEntry* parent = nullptr)
    {
        mBodies.push_back(std::make_unique<BodyEntry>());
        BodyEntry* entry = mBodies.back().get();
        entry->mBody = mSimulator.CreateBody();
        entry->mBody->SetTriggerGroups(1);
        entry->mBody->SetResponseGroups(0xFFFFFFFFu);
        entry->mBody->SetInverseMass(inverseMass);
        entry->mBody->SetTransform(placement);
        entry->mBody->Init();
        entry->mWorld = placement;
        if (parent != nullptr) {
            entry->mRoot = false;
            parent->mChildren.push_back(entry);
        }
        return entry;
    }

    Physics::IGeometry* AddGeometry(BodyEntry* body, UInt32 kind, const Math::Matrix<float>& local = Math::Matrix<float>())
    {
        mGeometries.push_back(std::make_unique<GeometryEntry>());
        GeometryEntry* entry = mGeometries.back().get();
        entry->mGeometry = mSimulator.CreateGeometry(kind);
        entry->mLocal = local;
        body->mGeometries.push_back(entry);
        return entry->mGeometry;
    }

    Physics::IGeometry* AddSphere(BodyEntry* body, Float radius, const Math::Matrix<float>& local = Math::Matrix<float>())
    {
        Physics::IGeometry* geometry = AddGeometry(body, 1, local);
        dynamic_cast<Physics::ISphere*>(geometry)->SetRadius(radius);
        return geometry;
    }

    Physics::IGeometry* AddMesh(BodyEntry* body, const Resource::ICollider* collider)
    {
        Physics::IGeometry* geometry = AddGeometry(body, 4);
        dynamic_cast<Physics::IMesh*>(geometry)->SetCollider(collider);
        return geometry;
    }

    // An immovable body with a plane geometry through its origin across its y axis.
    BodyEntry* AddFloor(const Math::Matrix<float>& placement = Math::Matrix<float>())
    {
        BodyEntry* floor = AddBody(placement, 0.0f);
        AddGeometry(floor, 2);
        return floor;
    }

    // A field of the shape placed by the matrix; its strength is an acceleration for type 0.
    Physics::IField* AddField(UInt32 type, UInt32 shape, Float constant, const Math::Matrix<float>& placement = Math::Matrix<float>())
    {
        Physics::IField* field = mSimulator.CreateField(type, shape);
        field->SetFactors(constant, 0.0f, 0.0f);
        field->Init();
        mFields.push_back(field);
        mFieldMatrices.push_back(std::make_unique<Math::Matrix<float>>(placement));
        return field;
    }

    // Gravity along -y for every body.
    Physics::IField* AddGravity(Float g = 9.81f) { return AddField(0, 0, -g); }

    Physics::ISpring* AddSpring(BodyEntry* first, BodyEntry* second, Float constant, Float damping, Float minimum,
                                Float maximum)
    {
        Physics::ISpring* spring = mSimulator.CreateSpring();
        spring->SetParameters(constant, damping, minimum, maximum, true, true);
        if (first != nullptr)
            spring->SetBody(0, first->mBody, Math::Vector<float>(), true);
        if (second != nullptr)
            spring->SetBody(1, second->mBody, Math::Vector<float>(), true);
        spring->Init();
        mSprings.push_back(spring);
        return spring;
    }

    // What one logic traversal registers, then one step.
    void Step(Float dt)
    {
        mSimulator.ClearObjects();
        for (auto& body : mBodies) {
            if (body->mRoot)
                Register(body.get());
        }
        for (size_t i = 0; i < mFields.size(); ++i)
            mSimulator.AddField(mFields[i], mFieldMatrices[i].get());
        for (Physics::ISpring* spring : mSprings)
            mSimulator.AddSpring(spring, &mSpringMatrix);
        mSimulator.Step(dt);
    }

    void Run(Float dt, UInt32 steps)
    {
        for (UInt32 i = 0; i < steps; ++i)
            Step(dt);
    }

    Physics::Simulator mSimulator;

private:
    void Register(BodyEntry* body)
    {
        mSimulator.PushBody(body->mBody, &body->mWorld);
        for (GeometryEntry* geometry : body->mGeometries) {
            mSimulator.PushGeometry(geometry->mGeometry, &geometry->mLocal);
            mSimulator.PopGeometry(geometry->mGeometry);
        }
        for (BodyEntry* child : body->mChildren)
            Register(child);
        mSimulator.PopBody(body->mBody);
    }

    std::vector<std::unique_ptr<BodyEntry>> mBodies;
    std::vector<std::unique_ptr<GeometryEntry>> mGeometries;
    std::vector<Physics::IField*> mFields;
    std::vector<std::unique_ptr<Math::Matrix<float>>> mFieldMatrices;
    std::vector<Physics::ISpring*> mSprings;
    Math::Matrix<float> mSpringMatrix;
};

} // namespace Testing
} // namespace Vorn
