#pragma once
// A fresh game with a handful of items of every kind and a party of two,
// for the inventory, equipment and skill rule tests.
#include <memory>
#include <string>

#include "common/TestCharacter.h"
#include "core/Game.h"
#include "core/ScriptedPlayer.h"

namespace kv::testing {

// Item ids of the fixture's table.
enum TestItem : int32_t {
    Sword = 1,       // one-handed, may be held in either hand
    LongSword = 2,   // one-handed, primary only
    GreatSword = 3,  // two-handed
    Shield = 4,
    Helm = 5,
    CursedHelm = 6,
    Armour = 7,
    Gloves = 8,
    Boots = 9,
    Ring = 10,       // grants skill 7 and resists fire
    Potion = 11,     // stackable
    Ore = 12,        // stackable material
    ElvenMail = 13,  // elves only
    CursedShield = 14,
    KeyItem = 15,  // cannot be dropped
};

struct ItemsFixture {
    std::unique_ptr<Game> TheGame = std::make_unique<Game>();
    ScriptedPlayer Player;

    Game& G() { return *TheGame; }

    ItemsFixture() {
        Define(Sword, "ソード", 1, [](ItemDef& d) { d.DualWield = 1; });
        Define(LongSword, "ロングソード", 1, [](ItemDef&) {});
        Define(GreatSword, "グレートソード", 1, [](ItemDef& d) { d.TwoHanded = -1; });
        Define(Shield, "盾", 2, [](ItemDef& d) { d.ACBonus = -1; });
        Define(Helm, "兜", 6, [](ItemDef& d) { d.ACBonus = -1; });
        Define(CursedHelm, "呪いの兜", 6, [](ItemDef& d) {
            d.ACBonus = 2;
            d.Cursed = -1;
        });
        Define(Armour, "鎧", 3, [](ItemDef& d) {
            d.ACBonus = -4;
            d.ItemResist[8] = 30;
            d.ItemDamageRate[8] = 120;
        });
        Define(Gloves, "小手", 4, [](ItemDef& d) {
            d.ACBonus = -1;
            d.ItemRegen = 2;
        });
        Define(Boots, "靴", 5, [](ItemDef& d) {
            d.ACBonus = -1;
            d.GrantFlags1 = 4;
        });
        Define(Ring, "指輪", 7, [](ItemDef& d) {
            d.GrantSkill = 7;
            d.ItemResist[4] = 50;
            d.GrantFlags2 = 8;
        });
        Define(Potion, "薬", 8, [](ItemDef&) {});
        Define(Ore, "鉱石", 10, [](ItemDef&) {});
        Define(ElvenMail, "エルフの鎧", 3, [](ItemDef& d) {
            d.RaceMask = 2;
            d.ACBonus = -6;
        });
        Define(CursedShield, "呪いの盾", 2, [](ItemDef& d) { d.Cursed = -1; });
        Define(KeyItem, "鍵", 11 + 256, [](ItemDef&) {});
    }

    template <typename F>
    void Define(int32_t id, std::string name, int16_t kind, F&& more) {
        ItemDef& d = G().Items[static_cast<size_t>(id)];
        d.Id = id;
        d.Name = std::move(name);
        d.UnidentifiedName = "？" + std::to_string(id);
        d.Kind = kind;
        d.SexMask = 3;
        d.AlignMask = 7;
        d.RaceMask = 0x7FF;
        d.ClassMask = -1;
        d.AppraiseLevel = 1;
        d.IdentifyLevel = 1;
        more(d);
    }

    Creature& Member(int slot) { return G().Roster[static_cast<size_t>(slot)]; }

    // Two humans, fighters, level 5, in the party in slots 1 and 2.
    void MakeParty() {
        for (int slot = 1; slot <= 2; ++slot) {
            TestCharacter made;
            made.Name = slot == 1 ? "アリス" : "ボブ";
            made.Level = 5;
            made.HP = 0;
            made.Age = 0;
            made.Statistics(0).Stats[1] = 12;  // IQ
            made.Joins(G(), slot).PartyPos = 0;
        }
        G().CurrentChar = 1;
    }

    void Hold(int member, int slot, int32_t id, int32_t flags = 0, int32_t count = 1) {
        Member(member).Items[static_cast<size_t>(slot)] = InventorySlot{id, flags, count};
    }
};

}  // namespace kv::testing
