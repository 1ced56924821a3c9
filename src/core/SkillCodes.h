#pragma once
// The skills the rules test, named after what each one does. A creature's
// Skills array holds 301 on/off flags indexed by these codes; the skill window
// switches them, the rules only ask.
#include <cstddef>
#include <cstdint>

namespace kv {

enum class Skill : int16_t {
    None = 0,                      // in tables: no skill needed
    ChestInspection = 1,           // inspects a chest by dexterity, by class
    SteadyDisarm = 2,              // a disarm needs no luck after the dexterity roll
    UnlockChests = 3,              // a lock opens on dexterity + level
    Hide = 4,                      // "H)隠れる" in battle
    StealWhileHidden = 5,          // "K)盗む" from hiding
    StealAndStrike = 6,            // a theft is followed by a blow
    Probe = 7,                     // "J)探る"
    SureEscape = 8,                // an escape roll is always 10
    Steal = 9,                     // "K)盗む" with a long reach
    EasyTheft = 10,                // a theft needs more than 5, not 10
    TrueInspection = 11,           // with 1: inspection always names the trap
    SureDisarm = 12,               // a correctly named trap always comes off
    BeheadingBlow = 13,            // a critical hit beheads
    RareEncounters = 14,           // the floor's encounter rate falls to 1
    NeverSurprised = 15,           // a back attack becomes an ordinary start
    NoCriticalTaken = 16,          // no critical hit lands on its holder
    FirstStrike = 17,              // some ordinary starts become first strikes
    ReturnSpell = 18,              // casts a spell back at its caster
    ChainSpell = 19,               // "S)呪文を唱える" casts twice
    SpellDamping = 20,             // spells aimed at its holder weaken by his wits
    SpellPointsFromHits = 21,      // a spell that hits him gives a point back
    CriticalThroughResist = 23,    // a critical hit ignores the defender's resistance
    DispelSpirits = 25,            // dispels kind 65536
    DispelDemons = 26,             // dispels kind 1024
    SparingCaster = 27,            // a spell may cost no point
    DispelUndead = 28,             // dispels kind 2
    MagicWard = 29,                // wits add to the resistance to magic
    CounterAttack = 30,            // a blow taken is answered
    DodgeSpell = 31,               // steps aside from a spell aimed at him
    Toughness = 32,                // blows on him shrink by the attacker's vitality
    NoFumbles = 33,                // a to-hit roll of 1 to 3 still hits
    Guardian = 34,                 // steps in front of a member about to fall
    SpellReflection = 35,          // a spell aimed at him comes back
    Fearless = 36,                 // never afraid
    CatchBlows = 37,               // catches a blow on his weapon
    BlindFighting = 38,            // blindness never spoils a blow
    ThrowCoins = 39,               // "Z)ぜになげ"
    Avenger = 40,                  // avenges a fallen member
    SeeThrough = 41,               // "W)みぬく"
    Identify = 42,                 // "I)識別する" at camp
    TripleEncounters = 43,         // the floor's encounter base triples
    AmuletUse = 44,                // may use amulets and orbs
    AmuletBoost = 45,              // an amulet's spell grows by 20
    ItemSpellBoost = 46,           // an item's spell grows by 20
    Songs = 47,                    // may play instruments: "V)歌"
    Virtuoso = 48,                 // instruments never break, songs are whole
    Appraise = 49,                 // "J)鑑定" at camp
    VictoryHealing = 51,           // heals an eighth after a victory
    CureDisease = 52,              // the cure spells also end disease
    Frostproof = 54,               // never frozen
    ManyBlows = 55,                // extra blows and the off-hand blow
    CriticalImmunity = 56,         // no critical hit lands on him either
    DesperateStrength = 57,        // strikes harder when near death
    LifeDrain = 58,                // heals from the damage he deals
    DoubleEncounters = 59,         // the floor's encounter base doubles
    Alchemy = 60,                  // "M)錬金術" at camp
    PartyWakes = 61,               // the party's sleepers wake sooner
    LightSleeper = 62,             // no double damage while asleep
    PoisonFighting = 63,           // poison never halves his blows
    WakesAtOnce = 64,              // sleep ends at the end of each round
    NoExperienceShare = 65,        // takes no share of experience
    DoubleRegeneration = 66,       // regeneration heals twice
    NoAging = 67,                  // never grows older at the inn
    LongLife = 68,                 // old age never kills him at the inn
    SpellPointsAfterVictory = 73,  // all spell points come back after a victory
    FullMagicWard = 77,            // the resistance to magic is whole
    Untouchable = 78,              // area attacks pass him by
    GuardWeapons = 79,             // monsters cannot break the party's weapons
    GuardArmour = 80,              // monsters cannot break the party's armour
    NoTheft = 81,                  // monsters cannot steal from the party
    DoubleGold = 82,               // a victory pays twice the gold
    MoreBlows = 83,                // three more blows at most
    SureCriticalFirst = 84,        // the first weapon always criticals
    HotBreath = 85,                // breath damage up to 300
    MovesFirst = 86,               // always acts first
    ExperienceFromKills = 88,      // a kill's experience goes to the killer
    Regeneration = 89,             // regenerates, paying a gold piece for more
    Levitation = 90,               // keeps the party floating
    IdentifyMonsters = 91,         // keeps the monsters identified
    Compass = 92,                  // keeps the compass on
    MoreTreasure = 93,             // a found spot gives up to four items
    Resurrection = 94,             // a fallen woman may rise again
    SummonsTheGuardian = 95,       // the special encounter becomes the guardian's
    BerserkBlows = 96,             // deals and takes more damage
    MapRefund = 97,                // the map spell costs no point
    SteadyAlignment = 98,          // the alignment never drifts in battle
    MonstersPreferHim = 99,        // monsters aim at him more often
    TakesAllSpoils = 100,          // the holders share the whole payout
    PaidEscape = 101,              // an escape still pays the victory
    EasyEscape = 102,              // an escape roll gains 2
    TrapExperience = 103,          // a disarmed trap earns experience
    SteadyStatistics = 104,        // statistics never move at level-up
    Armourless = 110,              // armour class falls a third of the level
    BareBody = 111,                // with nothing worn, 8 less a third of the level
    Summon = 116,                  // "M)召喚"
    SilenceBreaker = 117,          // silence ends each round
    ActsSecond = 119,              // always acts right after the first
    HalfAreaDamage = 120,          // area attacks do half
    QuarterAreaDamage = 121,       // area attacks do a quarter
    EasyExtraBlows = 122,          // more blows on agility above 5
    Marksman = 123,                // to-hit by dexterity, not level
    ColdBreath = 124,              // the breath is cold
    LightningBreath = 125,         // the breath is lightning
    HottestBreath = 126,           // breath damage up to 450
    AllBlowsLand = 127,            // every blow of the count lands
    DualWield = 128,               // a weapon in the secondary hand
    PartyInitiative = 129,         // the party's initiative gains one
    MonstersLoseTurns = 130,       // some monsters lose their turn
    PartyHalvesAreaDamage = 131,   // the party's area damage halves again
    DoubleRound = 132,             // sometimes two attack rounds
    TripleRound = 133,             // two or three attack rounds
    FirstWeaponMastery = 134,      // one more hit with weapon type 1; 135..146 for types 2..13
    SwiftCaster = 147,             // to-hit base 40
    HardToHit = 148,               // to-hit base 60 against him
    QuickFighter = 149,            // initiative 45 when fighting
    QuickCaster = 150,             // quick initiative when casting
    GuardianWard = 152,            // a ward that may stop a killing blow
    Strongman = 154,               // strength adds, reflections fail on him
    HealOneAfterVictory = 155,     // one member heals after a victory
    CureAfterVictory = 156,        // paralysis, poison and stone end after a victory
    HealAllAfterVictory = 157,     // every member heals after a victory
    CleanseAfterVictory = 158,     // the lesser conditions end after a victory
    WeakerMonsters = 159,          // monsters start with fewer hit points
    FewerMonsters = 160,           // groups are smaller
    MonsterRegeneration = 161,     // monsters regenerate twice
    PoisonedMonsters = 162,        // monsters start poisoned
    Archer = 166,                  // quick initiative with a bow
    SpellSeal = 168,               // seals a spell aimed at him
    NoMonsterRegeneration = 170,   // monsters do not regenerate
    FirstSummonKind = 174,         // may summon monsters of one kind; 174..184, 186..192
    CounterPiercing = 185,         // counters even a monster that reflects
    GroupCaster = 193,             // cures reach every member
    StrongSummonHP = 197,          // summons have their whole hit dice
    ToughSummons = 198,            // summons take less damage
    StrongSummonBlows = 199,       // summons strike twice as hard
    SummonQuickness = 200,         // summons roll 1d9 for initiative
    SummonSpellPower = 201,        // summons' spells do double
    SummonRegeneration = 202,      // summons regenerate twice
    ExperienceBonus3 = 203,        // a victory pays 3 % more experience
    ExperienceBonus5 = 204,        // 5 % more
    ExperienceBonus10 = 205,       // 10 % more
    ExperienceBonus15 = 206,       // 15 % more
    SilentCasting = 207,           // casts while silenced
    LoyalSummons = 208,            // summons never betray
    CheapSummons = 209,            // a summon costs half the hit points
    SummonGifts = 210,             // a betrayal leaves an item
    SleepingHeal = 211,            // heals while asleep
    ParalysedHeal = 212,           // heals while paralysed
    BlindHeal = 214,               // heals while blind
    FirstDaunting = 215,           // monsters of one kind flinch before him; 215..228
    LastingAreaCount = 229,        // the party's area effects keep their count
    LastingAreaRounds = 230,       // and their rounds
    ReflectionBreaker = 231,       // a reflected spell may still land
    TreasureFinder = 232,          // sees a spot of hidden treasure
    PartyExtraHit = 233,           // one more hit for every blow
    PartyToughness = 234,          // monsters' blows do 80 %
    FireWard = 235,                // the party's wards against the elements
    WindWard = 236,
    EarthWard = 237,
    WaterWard = 238,
    PoisonWard = 239,
    LightningWard = 240,
    ColdWard = 241,
    MindWard = 242,
    DarkWard = 243,
    LightWard = 244,
    TakesTheBetterItem = 245,  // a theft takes the better item more often
    SleepWard = 246,           // the party's wards against the condition attacks
    FearWard = 247,
    PoisonConditionWard = 248,  // poison and deadly poison
    ParalysisWard = 249,
    FrozenWard = 250,
    ShockWard = 251,
    SilenceWard = 252,
    BlindnessWard = 253,
    StoneWard = 254,
    ConfusionWard = 255,
    CharmWard = 256,
    DiseaseWard = 257,
    LevelDrainWard = 258,
    DecapitationWard = 259,
    PartyFlinch = 260,            // monsters flinch more often
    StrongerWards = 261,          // an element ward divides by 8
    SurerWards = 262,             // a condition ward fails less often
    DeeperMonsterSleep = 263,     // monsters sleep longer
    LastingMonsterFear = 264,     // monsters stay afraid longer
    StaysHidden = 265,            // hiding never ends by itself
    SureReflectionBreaker = 266,  // a reflected spell always lands
    // Spell damage grows by the attribute's mastery: +5, +10, +20 a tier.
    FireMastery = 267,
    ColdMastery = 268,
    WindMastery = 269,
    LightningMastery = 270,
    WaterMastery = 271,
    EarthMastery = 272,
    FireMastery2 = 273,
    ColdMastery2 = 274,
    WindMastery2 = 275,
    LightningMastery2 = 276,
    WaterMastery2 = 277,
    EarthMastery2 = 278,
    FireMastery3 = 279,
    ColdMastery3 = 280,
    WindMastery3 = 281,
    LightningMastery3 = 282,
    WaterMastery3 = 283,
    EarthMastery3 = 284,
    SpellMastery = 285,   // every spell's damage +10
    SpellMastery2 = 286,  // and +20
};

// Where the skill's flag sits in a creature's Skills.
constexpr size_t SkillIndex(Skill skill) {
    return static_cast<size_t>(skill);
}

// A skill of a numbered family (the summoned kinds, the daunted kinds): the
// family's first skill + offset; the caller keeps the offset inside it.
constexpr Skill SkillOf(Skill first, int offset) {
    return static_cast<Skill>(static_cast<int>(first) + offset);
}

// The mastery of weapon type 1..13: one more hit with such a weapon.
constexpr Skill WeaponMastery(int weaponType) {
    return static_cast<Skill>(static_cast<int>(Skill::FirstWeaponMastery) + weaponType - 1);
}

}  // namespace kv
