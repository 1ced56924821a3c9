#pragma once
// Battle pictures of the demo's monsters, painted on black.
#include <array>
#include <string_view>

#include "platform/Image.h"

namespace kv::gen {

Image RenderSlime();
Image RenderBat();
Image RenderGoblin();
Image RenderSkeleton();
Image RenderWolf();
Image RenderGhost();
Image RenderGolem();
Image RenderDragon();
Image RenderEmpress();

struct MonsterArt {
    std::string_view File;
    int Width;
    int Height;
    Image (*Render)();
};

constexpr std::array<MonsterArt, 9> MonsterArts = {{
    {"mon_slime.jpg", 200, 160, RenderSlime},
    {"mon_bat.jpg", 240, 160, RenderBat},
    {"mon_goblin.jpg", 180, 240, RenderGoblin},
    {"mon_skeleton.jpg", 180, 260, RenderSkeleton},
    {"mon_wolf.jpg", 260, 180, RenderWolf},
    {"mon_ghost.jpg", 200, 240, RenderGhost},
    {"mon_golem.jpg", 240, 280, RenderGolem},
    {"mon_dragon.jpg", 320, 260, RenderDragon},
    {"mon_empress.jpg", 320, 260, RenderEmpress},
}};

}  // namespace kv::gen
