// Graph templates of the weapon, obstacle and rock pools for tests and benchmarks. The weapon's
// counter text is a "TestText" node (tests/support/text_node.h): register that class first.
#pragma once

#include <string>

namespace Vorn {
namespace Testing {

// One weapon instance: the hover timeline from 0 to 1, the nine kind pictures (the airstrike
// without a shadow) and the counter.
inline std::string WeaponTemplate()
{
    static const char* const kKinds[] = {"nuke",  "nuke_blue", "hambone",   "carrot",   "tranq",
                                         "bigtranq", "rhino",  "chameleon", "airstrike"};
    std::string kinds;
    for (int kind = 0; kind < 9; ++kind) {
        kinds += std::string("<Namespace id='") + kKinds[kind] + "'><Scale id='scale'><Transform id='rotation'/></Scale>";
        if (kind != 8)
            kinds += "<Transform id='shadow_transform'/>";
        kinds += "<Transform id='bg_transform'><Scale id='bg_scale'/></Transform></Namespace>";
    }
    return "<Graph replication='0'><Namespace id='weapon{replication}' activeAndVisible='false'>"
           "<Timeline id='hover_timeline' endTime='1'/><Transform id='position'>"
           "<Transform id='highlighter'><Parameters id='highlighter_color'/></Transform>"
           "<Parameters id='parameters_color'/><Switch id='select'>" +
           kinds +
           "</Switch><Transform id='counter_text_transform'><Scale id='level_scale'><TestText id='counter_text'/>"
           "</Scale></Transform></Transform></Namespace></Graph>";
}

// One flying obstacle: three bee pictures, each with a plane of the given size, its body and
// status-bar colours, the life bar, the hint and the wings.
inline std::string ObstacleTemplate()
{
    std::string types;
    for (int type = 0; type < 3; ++type)
        types += "<Namespace id='bee" + std::to_string(type) +
                 "'><Transform id='rotation'><DisplayPlane id='plane' scaleFactor='64' scaleFactorY='48'/></Transform>"
                 "<Transform id='shadow_rotation'/></Namespace>";
    return "<Graph replication='0'><Namespace id='obstacle{replication}' activeAndVisible='false'>"
           "<Timeline id='shootme_timeline' endTime='1'/><Timeline id='wings_timeline' endTime='1'/>"
           "<Transform id='position'><Parameters id='parameters_obstacle'/><Switch id='select'>" +
           types +
           "</Switch><Transform id='statusbar'><Parameters id='parameters'/><Transform id='offset'>"
           "<Scale id='life'/></Transform></Transform><Node id='shootme'/>"
           "<Transform id='wings'><Transform id='wings_rotation'/></Transform></Transform></Namespace></Graph>";
}

// One rock: a plane of 33 × 20 units.
inline std::string RockTemplate()
{
    return "<Graph replication='0'><Namespace id='obstacle{replication}' activeAndVisible='false'>"
           "<Transform id='position'><DisplayPlane id='plane' scaleFactor='33' scaleFactorY='20'/></Transform>"
           "</Namespace></Graph>";
}

} // namespace Testing
} // namespace Vorn
