// Until the spell engine lands, a monster's spell is announced only: the
// caster's name, the spell's name in full-width characters and "の呪文を唱えた".
// The engine's CastMonsterSpell takes this file's place.
#include "battle/MonsterSpell.h"
#include "core/StringTable.h"
#include "core/TextFormat.h"

namespace kv {

void CastMonsterSpell(Game& game, Player& player, Creature& caster, int spellNo) {
    if (spellNo < 1 || spellNo >= static_cast<int>(game.Spells.size())) return;
    const SpellDef& spell = game.Spells[static_cast<size_t>(spellNo)];
    player.Message(caster.Name + "は\n" + Wide(spell.Name) +
                   std::string(ResString(Str::CastsSpell)));
}

}  // namespace kv
