#include "dungeon/PartyEffects.h"

#include <array>

#include "character/PartyMembers.h"

namespace kv {

namespace {

struct EffectSkill {
    Skill Needs;
    int32_t Effect;
};
constexpr std::array<EffectSkill, 3> EffectSkills{{
    {Skill::Levitation, PartyEffectLevitation},
    {Skill::IdentifyMonsters, PartyEffectIdentify},
    {Skill::Compass, PartyEffectCompass},
}};

}  // namespace

void ApplyEffectSkills(Game& game) {
    for (const EffectSkill& e : EffectSkills) {
        if (PartyMemberHasSkill(game, e.Needs)) game.PartyEffects |= e.Effect;
    }
}

}  // namespace kv
