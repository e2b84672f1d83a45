// Graph templates of the play field's pools for tests and benchmarks: the animal with every kind
// (rotation, shadows, and the end pieces' blinking pictures; no mirrored pictures, which need
// atlases), the course strip with a display object of the given size, the particle, the ash and
// ice explosions, and the frame-buffer namespace that holds the rocks.
#pragma once

#include <string>

namespace Vorn {
namespace Testing {

// One animal instance's namespace; {replication} numbers the instances of a pool.
inline std::string AnimalNamespace(const std::string& id)
{
    static const char* const kKinds[] = {"key", "lock", "stone1", "stone2", "stone3", "chameleon", "ape",
                                         "frog", "frogblue", "lion", "panda", "rabbit", "rabbitwhite", "snake"};
    std::string kinds;
    for (int kind = 0; kind < 14; ++kind) {
        kinds += std::string("<Namespace id='") + kKinds[kind] + "'><Transform id='rotation'/>";
        kinds += "<Transform id='shadow_transform'><Transform id='shadow_flip0'/>";
        if (kind >= 6)
            kinds += "<Transform id='shadow_flip1'/>";
        kinds += "</Transform>";
        if (kind < 2)
            kinds += "<Transform id='normal'/><Transform id='red' activeAndVisible='false'/>";
        kinds += "</Namespace>";
    }
    return "<Namespace id='" + id + "' activeAndVisible='false'><Transform id='position'>"
           "<Transform id='shaking_transform'><Scale id='scale'><Timeline id='sequence_timeline'/>"
           "<Timeline id='shaking_timeline'/><Switch id='select'>" +
           kinds + "</Switch></Scale></Transform></Transform></Namespace>";
}

inline std::string AnimalTemplate()
{
    return "<Graph replication='0'>" + AnimalNamespace("animal{replication}") + "</Graph>";
}

inline std::string CourseTemplate(unsigned vertices = 128)
{
    return "<Graph replication='0'><Namespace id='course{replication}' activeAndVisible='false'>"
           "<DisplayObject id='display_object' maxNumberOfIndices='" +
           std::to_string(vertices + 2) + "' maxNumberOfVertices='" + std::to_string(vertices) +
           "' hasTexCoords0='true'/><Timeline id='timeline' endTime='1'/></Namespace></Graph>";
}

// One particle instance as the particle graph draws it: a plane sequence of 16 images stands in
// as a switch of 16 children (the switch's id is given, to leave it out).
inline std::string ParticleTemplate(const char* select = "select")
{
    std::string images;
    for (int i = 0; i < 16; ++i)
        images += "<Transform/>";
    return std::string("<Graph replication='0'><Namespace id='particle{replication}' activeAndVisible='false'>") +
           "<Transform id='transform'><Scale id='scale'><Parameters id='parameters'/><Switch id='" + select + "'>" +
           images + "</Switch></Scale></Transform></Namespace></Graph>";
}

// One ash or ice explosion instance ("ashexplosion", "iceexplosion"): its timeline and sequence.
inline std::string TimedExplosionTemplate(const char* name)
{
    return std::string("<Graph replication='0'><Namespace id='") + name +
           "{replication}' activeAndVisible='false'><Timeline id='timeline' endTime='0.6'>"
           "<Transform id='sequence'/></Timeline></Namespace></Graph>";
}

// The root-level "/framebuffer" namespace with the rock pool of the given size (graph "p:rock")
// and any further nodes.
inline std::string FramebufferXml(unsigned rocks, const std::string& extra = "")
{
    return "<Namespace id='framebuffer'><Instance id='obstacle_container' graphResourceId='p:rock' replications='" +
           std::to_string(rocks) + "'/>" + extra + "</Namespace>";
}

} // namespace Testing
} // namespace Vorn
