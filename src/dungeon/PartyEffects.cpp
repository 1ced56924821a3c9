#include "dungeon/PartyEffects.h"

#include <array>

#include "character/PartyMembers.h"

namespace kv {

namespace {

struct EffectSkill {
    int Skill;
    int32_t Effect;
};
constexpr std::array<EffectSkill, 3> EffectSkills{{
    {90, PartyEffectLevitation},
    {91, PartyEffectIdentify},
    {92, PartyEffectCompass},
}};

}  // namespace

void ApplyEffectSkills(Game& game) {
    for (const EffectSkill& e : EffectSkills) {
        if (PartyMemberHasSkill(game, e.Skill)) game.PartyEffects |= e.Effect;
    }
}

}  // namespace kv
