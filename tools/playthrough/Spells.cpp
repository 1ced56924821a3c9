// The autopilot's spells: in battle the priest heals the wounded and the
// mage puts the biggest group to sleep or burns it; in camp the priest heals
// between fights. Spells are picked from the grid the game shows, by the
// arrow keys that reach the spell's label from the one current.
#include <array>
#include <deque>

#include "battle/SpellInput.h"
#include "battle/SpellPickerWindow.h"
#include "core/BattleState.h"
#include "core/CommandMenus.h"
#include "playthrough/Pilot.h"
#include "playthrough/SpellGridPath.h"
#include "ui/WindowManager.h"

namespace kv::playthrough {

namespace {

constexpr int Mage = 2;
constexpr int Priest = 4;

// The demo's spell rows the party uses.
constexpr int Spark = 1;        // HIBANA, one group
constexpr int Sleep = 2;        // NEMURA, one group
constexpr int Flame = 7;        // HOMURA, one group
constexpr int Lightning = 8;    // INAZUMA, one group
constexpr int Heal = 28;        // IYASU, one member
constexpr int GreatHeal = 37;   // OOIYASU, one member
constexpr int HolyStrike = 41;  // SHINBATSU, one group

bool Knows(const Game& game, const Creature& c, int row) {
    const SpellDef& s = game.Spells[static_cast<size_t>(row)];
    return c.Spell(s.School, s.SpellLevel, s.Slot) != 0 && c.MPAt(s.School, s.SpellLevel) > 0;
}

bool Standing(const Creature& c) {
    return c.HP > 0 && (c.Status & DownMask) == 0;
}

}  // namespace

// The member who heals and the spell he heals with: the greater heal while
// he has it, else the first; 0 when nobody can.
int Pilot::Healer(int& spellRow) const {
    for (int i = 1; i <= game_.PartyCount; ++i) {
        const Creature* c = game_.Member(i);
        if (c == nullptr || c->Class != Priest || !Standing(*c)) continue;
        for (const int row : {GreatHeal, Heal}) {
            if (Knows(game_, *c, row)) {
                spellRow = row;
                return i;
            }
        }
    }
    return 0;
}

// Opens the spell grid for the caster and remembers what to pick in it:
// the target is a monster group's row (from 1) or a member's position.
std::string Pilot::Cast(int caster, int spellRow, int target) {
    pendingSpell_ = spellRow;
    pendingCaster_ = caster;
    pendingTarget_.clear();
    const Creature& c = *game_.Member(caster);
    const bool camp = game_.MenuState != MenuStates::Battle;
    switch (TargetForSpell(game_, c, spellRow)) {
        case SpellTarget::MonsterGroup:
            for (int i = 1; i < target; ++i) pendingTarget_ += " Down";
            pendingTarget_ += " Enter";
            break;
        case SpellTarget::Member:
            if (camp) {
                for (int i = 1; i < target; ++i) pendingTarget_ += " Down";
                pendingTarget_ += " Enter";
            } else {
                pendingTarget_ = " " + std::to_string(target);
            }
            break;
        default:
            break;
    }
    return camp ? "I " + std::to_string(caster) + "  S Enter" : "S";
}

// The grid is open: the arrows to the spell chosen, then its target.
std::string Pilot::PickSpell() {
    const Creature* c = game_.Member(pendingCaster_);
    const std::string keys =
        pendingSpell_ == 0 || c == nullptr ? "" : GridKeys(game_, *c, pendingSpell_);
    pendingSpell_ = 0;
    if (keys.empty()) return Press("Esc");
    return Press(keys + pendingTarget_);
}

std::string Pilot::Battle() {
    BattleState& b = game_.Battle;
    if (b.Phase != BattlePhase::Commands) return Press("Enter");
    if (b.InputIndex < 1 || b.InputIndex > game_.PartyCount) return Press("G");
    Creature* c = game_.Member(b.InputIndex);
    if (c == nullptr) return Press("G");
    Note("a fight: the front fights, the mage casts, the priest heals");
    // The throne: every spell is spent on her.
    const bool boss = game_.CurrentFloor == 3 && game_.PartyX == 13 && game_.PartyY == 9;
    // On the way to her the spells are kept: the front deals with what
    // comes, the priest heals only the badly hurt.
    const bool saving = !boss && !plan_.empty() && plan_.front().What == Goal::Kind::Walk;
    // Against her fire a member is healed sooner.
    const int mark = boss ? 3 : saving ? 6 : 4;  // heal below 2/3, 1/3, 1/2 of the hit points
    if (c->Class == Priest) {
        int worst = 0;
        for (int i = 1; i <= game_.PartyCount; ++i) {
            const Creature* m = game_.Member(i);
            if (m != nullptr && Standing(*m) && m->HP * mark < m->MaxHP * 2 &&
                (worst == 0 ||
                 m->HP * game_.Member(worst)->MaxHP < game_.Member(worst)->HP * m->MaxHP))
                worst = i;
        }
        for (const int row : {GreatHeal, Heal})
            if (worst > 0 && Knows(game_, *c, row)) return Press(Cast(b.InputIndex, row, worst));
        if (boss && Knows(game_, *c, HolyStrike)) return Press(Cast(b.InputIndex, HolyStrike, 1));
    }
    if (c->Class == Mage && !saving) {
        // The biggest group: asleep it cannot hit back.
        int biggest = 1;
        int most = 0;
        for (int row = 1; row <= b.GroupCount; ++row) {
            int count = 0;
            const int group = b.Rows[static_cast<size_t>(row)];
            for (int m = 0; m < 10; ++m) {
                const Creature& foe = b.Monster(group, m);
                count += foe.Id != 0 && (foe.Status & StatusDead) == 0 ? 1 : 0;
            }
            if (count > most) {
                most = count;
                biggest = row;
            }
        }
        if (boss && Knows(game_, *c, Lightning)) return Press(Cast(b.InputIndex, Lightning, 1));
        if (most >= 3 && Knows(game_, *c, Sleep)) return Press(Cast(b.InputIndex, Sleep, biggest));
        if (most >= 2 && Knows(game_, *c, Flame)) return Press(Cast(b.InputIndex, Flame, biggest));
        if (Knows(game_, *c, Spark)) return Press(Cast(b.InputIndex, Spark, 1));
    }
    // The front strikes the first group that does not throw blows back; when
    // every group does and no spell is left, the party runs.
    int target = 0;
    for (int row = 1; row <= b.GroupCount && target == 0; ++row) {
        const int group = b.Rows[static_cast<size_t>(row)];
        for (int m = 0; m < 10; ++m) {
            const Creature& foe = b.Monster(group, m);
            if (foe.Id != 0 && (foe.Status & StatusDead) == 0 && reflecting_.count(foe.Name) == 0)
                target = row;
        }
    }
    if (target == 0) {
        bool spells = false;
        for (int i = 1; i <= game_.PartyCount; ++i) {
            const Creature* m = game_.Member(i);
            spells = spells || (m != nullptr && m->Class == Mage && Standing(*m) &&
                                (Knows(game_, *m, Spark) || Knows(game_, *m, Flame)));
        }
        if (!spells && !boss) {
            Note("a fight: nothing to strike that does not strike back, so the party runs");
            return Press("R");
        }
        return Press("P");
    }
    if (b.InputIndex <= 3) {
        std::string keys = "F ";
        for (int row = 1; row < target; ++row) keys += "Down ";
        return Press(keys + "Enter");
    }
    return Press("P");
}

// In camp, the priest heals the most hurt member while he has the spell
// points: cheaper than the inn. "" when nobody is hurt or nobody can heal.
std::string Pilot::CampHeal() {
    int spell = 0;
    const int priest = Healer(spell);
    int worst = 0;
    for (int i = 1; i <= game_.PartyCount; ++i) {
        const Creature* m = game_.Member(i);
        if (Standing(*m) && m->HP < m->MaxHP &&
            (worst == 0 || m->HP * game_.Member(worst)->MaxHP < game_.Member(worst)->HP * m->MaxHP))
            worst = i;
    }
    if (priest == 0 || worst == 0) return "";
    Note("camp: " + game_.Member(priest)->Name + " heals " + game_.Member(worst)->Name);
    campOpen_ = true;
    return Cast(priest, spell, worst);
}

}  // namespace kv::playthrough
