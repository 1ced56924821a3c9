// Fight tunes: fast, driven by drums and a moving bass; the victory fanfare
// and the encounter sting that announce them.
#include "TuneKit.h"
#include "Tunes.h"

namespace kv::gen {
namespace {

// The rock kit most fights share: kick, back-beat snare, eighth hats, and a
// crash opening every fourth bar.
void RockKit(Song& song, Voice& drums, std::string_view kick) {
    drums.Add(Beat(song, kick, gm::Kick, 84, 1, song.Bars));
    drums.Add(Beat(song, "....X.......X...", gm::Snare, 82, 1, song.Bars));
    drums.Add(Beat(song, "x.x.x.x.x.x.x.x.", gm::ClosedHat, 60, 1, song.Bars));
    for (int bar = 1; bar <= song.Bars; bar += 4) {
        drums.Add(Beat(song, "X", gm::Crash, 70, bar, bar, song.BarTicks()));
    }
}

Song BattleRandom() {
    Song song{12, "bgm12_battle1.mid", "Korvane - Battle", 152, 4, 4, 20, {}};
    const auto chords = Progression(
        song,
        "Cm | Cm | Ab | Bb | Cm | Cm | Ab | G | Cm | Bb | Ab | G | Fm | Ab | Bb | Cm | Fm | Ab |"
        "Bb | G");
    Voice& trumpet = song.AddVoice("Trumpet", 0, gm::Trumpet, 105, 60);
    trumpet.Add(Line(
        song,
        "r:w | r:w | r:w | r:h. g4:q |"
        ">c5:q. d5:e eb5:q g5:q | f5:e eb5:e d5:e eb5:e c5:h | >c5:q. d5:e eb5:q ab5:q |"
        "g5:h. b4:q | >c5:q. d5:e eb5:q g5:q | bb5:q. ab5:e g5:q f5:q | eb5:q f5:q g5:q ab5:q |"
        "g5:w | >ab5:q. g5:e f5:q c5:q | eb5:q. f5:e ab5:q eb5:q | f5:q. eb5:e d5:q bb4:q |"
        "c5:h. g4:q | ab4:q c5:q f5:q ab5:q | ab5:q eb5:q c5:q eb5:q | d5:q f5:q bb5:q d5:q |"
        "b4:h d5:q f5:q |",
        96));
    Voice& strings = song.AddVoice("Strings", 1, gm::Strings, 90, 84);
    strings.Articulation = 0.8;
    strings.Add(Comp(chords, ">1:s 1:s 8:s 1:s 5:s 1:s 8:s 1:s", 55, 68));
    Voice& brass = song.AddVoice("Brass", 2, gm::Brass, 90, 40);
    brass.Add(Comp(chords, "^C:e' r:e r:q r:e C:e' C:q'", 60, 80));
    Voice& bass = song.AddVoice("Bass", 3, gm::FingerBass, 100, 64);
    bass.Add(Comp(chords, ">B:e B:e B:e B:e >B:e B:e 8:e B:e", 36, 88));
    Voice& drums = song.AddVoice("Drums", 9, 0, 95, 64);
    RockKit(song, drums, "x.....x.x.......");
    return song;
}

Song BattleFierce() {
    Song song{13, "bgm13_battle2.mid", "Korvane - Fierce Battle", 160, 4, 4, 20, {}};
    const auto chords = Progression(
        song,
        "Em | Em | C | D | Em | Em | C | B | Am | C | D | Em | Am | C | B | B7 | Em | C | D | B");
    Voice& lead = song.AddVoice("Lead", 0, gm::SawLead, 90, 64);
    lead.Add(
        Line(song,
             "r:w | r:w | r:w | r:w | >e5:q. f#5:e g5:q b5:q | a5:e g5:e f#5:e g5:e e5:h |"
             ">e5:q. f#5:e g5:q c6:q | b5:h. f#5:q | >a5:q. g5:e e5:q c5:q | g5:q. e5:e c5:q e5:q |"
             "f#5:q a5:q d6:q c6:q | b5:w | >c6:q b5:q a5:q e5:q | g5:q f#5:q e5:q c5:q |"
             "d#5:q f#5:q b5:q a5:q | f#5:h d#5:h | >e5:q g5:q b5:q e6:q | d6:q c6:q b5:q g5:q |"
             "a5:q f#5:q d5:q f#5:q | d#5:h f#5:h |",
             88));
    Voice& guitar = song.AddVoice("Guitar", 1, gm::DistortionGuitar, 80, 40);
    guitar.Add(Comp(chords, ">P:e' P:e' P:e' P:e' >P:e' P:e' P:e P:e", 45, 74));
    Voice& strings = song.AddVoice("Strings", 2, gm::Strings, 75, 88);
    strings.Articulation = Legato;
    strings.Add(Comp(Bars(song, chords, 5, 20), "C:w", 64, 58));
    Voice& bass = song.AddVoice("Bass", 3, gm::SynthBass, 95, 64);
    bass.Add(Comp(chords, "B:e B:e 8:e B:e B:e B:e 8:e B:e", 35, 86));
    Voice& drums = song.AddVoice("Drums", 9, 0, 95, 64);
    RockKit(song, drums, "x.x...x.x.x...x.");
    return song;
}

Song BossFirst() {
    Song song{14, "bgm14_boss1.mid", "Korvane - Tyrant", 138, 4, 4, 20, {}};
    const auto chords = Progression(
        song,
        "Dm | Dm | Bb | A | Dm | Dm | Bb | C | Gm | Dm | Bb | A | Gm | Bb | Eb | A | Dm | Bb |"
        "Gm | A");
    Voice& brass = song.AddVoice("Brass", 0, gm::Brass, 105, 64);
    brass.Add(
        Line(song,
             "d5:h a4:h | f4:q e4:q d4:h | bb4:h f4:h | a4:h. c#5:q | >d5:q. e5:e f5:q d5:q |"
             "a5:h. f5:q | g5:q. f5:e d5:q bb4:q | c5:h e5:h | >g5:q. f5:e d5:q bb4:q |"
             "a4:q d5:q f5:q a5:q | bb5:h. f5:q | e5:h c#5:h | d5:q bb4:q g4:q bb4:q |"
             "f5:q d5:q bb4:q d5:q | >g5:q. f5:e eb5:q bb4:q | a4:h e5:h | >f5:q. e5:e d5:q a5:q |"
             "bb5:q. a5:e g5:q f5:q | e5:q. f5:e g5:q bb5:q | a5:h c#5:h |",
             94));
    Voice& organ = song.AddVoice("Organ", 1, gm::ChurchOrgan, 80, 40);
    organ.Add(Comp(chords, "1:e 5:e 8:e 5:e 10:e 5:e 8:e 5:e", 50, 66));
    Voice& choir = song.AddVoice("Choir", 2, gm::ChoirAahs, 85, 88);
    choir.Articulation = Legato;
    choir.Add(Comp(chords, "C:h", 62, 66));
    Voice& bass = song.AddVoice("Contrabass", 3, gm::Contrabass, 100, 64);
    bass.Add(Comp(chords, ">B:q B:e B:e B:q B:q", 38, 88));
    Voice& timpani = song.AddVoice("Timpani", 4, gm::Timpani, 100, 64);
    timpani.Add(Comp(chords, "^1:e 1:e 1:q r:h", 45, 74));
    Voice& drums = song.AddVoice("Drums", 9, 0, 95, 64);
    drums.Add(Beat(song, "x...x...x...x...", gm::Kick, 80, 1, song.Bars));
    drums.Add(Beat(song, "........X.......", gm::Snare, 86, 1, song.Bars));
    drums.Add(Beat(song, "x.x.x.x.x.x.x.x.", gm::Ride, 54, 1, song.Bars));
    for (int bar = 1; bar <= song.Bars; bar += 4) {
        drums.Add(Beat(song, "X", gm::Crash, 72, bar, bar, song.BarTicks()));
    }
    return song;
}

Song BossSecond() {
    Song song{15, "bgm15_boss2.mid", "Korvane - Empress", 144, 4, 4, 20, {}};
    const auto chords = Progression(
        song,
        "Bm | C | Bm | C | Bm | G | F#7 | Bm | Em | C | F# | Bm | G | Em | C#dim | F# | Bm | C |"
        "G | F#");
    Voice& trumpet = song.AddVoice("Trumpet", 0, gm::Trumpet, 105, 60);
    trumpet.Add(
        Line(song,
             "b4:h. f#4:q | g4:h e4:h | d5:h. b4:q | c5:h g4:h | >f#5:q. e5:e d5:q b4:q |"
             "d5:q. c#5:e b4:q g4:q | a#4:q c#5:q e5:q f#5:q | d5:w | >g5:q. f#5:e e5:q b4:q |"
             "e5:q. d5:e c5:q g4:q | a#4:q c#5:q f#5:q a#5:q | b5:w | >d6:q. b5:e g5:q d5:q |"
             "e5:q g5:q b5:q e6:q | >e6:q. c#6:e g5:q e5:q | f#5:w | b5:q a#5:q b5:q f#5:q |"
             "g5:q f#5:q e5:q c5:q | d5:q e5:q f#5:q g5:q | a#5:h c#6:h |",
             96));
    Voice& strings = song.AddVoice("Tremolo", 1, gm::TremoloStrings, 85, 84);
    strings.Articulation = Legato;
    strings.Add(Comp(chords, "C:w", 60, 70));
    Voice& choir = song.AddVoice("Choir", 2, gm::ChoirAahs, 80, 40);
    choir.Articulation = Legato;
    choir.Add(Comp(chords, "1:h 5:h", 67, 64));
    Voice& brass = song.AddVoice("Brass", 3, gm::Brass, 85, 50);
    brass.Add(Comp(chords, "^C:e' r:e r:e C:e' r:e C:e' r:q", 55, 80));
    Voice& bass = song.AddVoice("Bass", 4, gm::FingerBass, 100, 64);
    bass.Add(Comp(chords, ">B:e B:e B:e B:e >B:e B:e B:e B:e", 35, 88));
    Voice& hit = song.AddVoice("Hit", 5, gm::OrchestraHit, 80, 64);
    for (int bar = 1; bar <= song.Bars; bar += 4) {
        hit.Add(Comp(Bars(song, chords, bar, bar), "^C:q' r:h.", 60, 80));
    }
    Voice& drums = song.AddVoice("Drums", 9, 0, 95, 64);
    drums.Add(Beat(song, "X..x..x.X..x..x.", gm::LowTom, 78, 1, song.Bars));
    drums.Add(Beat(song, "x.....x...x.x...", gm::Kick, 84, 1, song.Bars));
    drums.Add(Beat(song, "....X.......X..o", gm::Snare, 84, 1, song.Bars));
    for (int bar = 1; bar <= song.Bars; bar += 4) {
        drums.Add(Beat(song, "X", gm::Crash, 72, bar, bar, song.BarTicks()));
    }
    return song;
}

Song Victory() {
    Song song{16, "bgm16_victory.mid", "Korvane - Victory", 132, 4, 4, 12, {}};
    const auto chords =
        Progression(song, "Bb | Bb | Eb | F | Bb | Gm | Eb | F | Bb | Eb:h F:h | Gm:h Eb:h | F");
    Voice& trumpet = song.AddVoice("Trumpet", 0, gm::Trumpet, 110, 60);
    trumpet.Add(
        Line(song,
             "f4:e. f4:s f4:e. f4:s >bb4:h | d5:q. c5:e bb4:q d5:q | eb5:q. d5:e c5:q bb4:q |"
             "c5:h. f4:q | bb4:e. bb4:s d5:e. d5:s >f5:h | g5:q. f5:e d5:q bb4:q |"
             "c5:q eb5:q g5:q eb5:q | f5:h. f4:q | d5:q f5:q bb5:q f5:q | g5:q eb5:q a5:q f5:q |"
             "bb5:q g5:q eb5:q g5:q | f5:h c5:h |",
             100));
    Voice& brass = song.AddVoice("Brass", 1, gm::Brass, 85, 44);
    brass.Add(Comp(chords, "C:h C:h", 58, 70));
    Voice& strings = song.AddVoice("Strings", 2, gm::Strings, 80, 84);
    strings.Add(Comp(chords, "1:e 5:e 8:e 10:e 12:e 10:e 8:e 5:e", 58, 60));
    Voice& tuba = song.AddVoice("Tuba", 3, gm::Tuba, 100, 64);
    tuba.Add(Comp(chords, "B:q 5:q B:q 5:q", 34, 84));
    Voice& timpani = song.AddVoice("Timpani", 4, gm::Timpani, 95, 64);
    timpani.Add(Comp(chords, "^1:q r:q 5:q r:q", 46, 72));
    Voice& drums = song.AddVoice("Drums", 9, 0, 85, 64);
    drums.Add(Beat(song, "X...x...X...x.xx", gm::Snare, 66, 1, song.Bars));
    drums.Add(Beat(song, "x.......x.......", gm::Kick, 70, 1, song.Bars));
    drums.Add(Beat(song, "X", gm::Crash, 74, 1, 1, song.BarTicks()));
    drums.Add(Beat(song, "X", gm::Crash, 70, 9, 9, song.BarTicks()));
    return song;
}

Song Encounter() {
    Song song{19, "bgm19_encounter.mid", "Korvane - Encounter", 150, 4, 4, 14, {}};
    const auto chords =
        Progression(song, "Am | Bb | Am | Bb | Dm | Eb | Dm | E | F | E | F | E | Bb | E7");
    Voice& horn = song.AddVoice("Horn", 0, gm::FrenchHorn, 105, 56);
    horn.Add(
        Line(song,
             "e5:h. f5:q | f5:w | e5:h. f5:q | d5:w | a4:h. bb4:q | bb4:w | a4:q d5:q f5:q a5:q |"
             "g#5:w | a5:h. f5:q | g#5:h e5:h | a5:q. g5:e f5:q c5:q | b4:h g#4:h |"
             "bb4:q d5:q f5:q bb5:q | g#5:h d5:h |",
             90));
    Voice& strings = song.AddVoice("Tremolo", 1, gm::TremoloStrings, 85, 80);
    strings.Articulation = Legato;
    strings.Add(Comp(chords, "C:h C:h", 58, 70));
    Voice& brass = song.AddVoice("Brass", 2, gm::Brass, 85, 44);
    brass.Add(Comp(chords, "^C:e' r:e r:q r:h", 55, 82));
    Voice& pizz = song.AddVoice("Low strings", 3, gm::PizzicatoStrings, 95, 64);
    pizz.Add(Comp(chords, "1:e 1:e 8:e 1:e 3:e 1:e 5:e 1:e", 40, 76));
    Voice& timpani = song.AddVoice("Timpani", 4, gm::Timpani, 95, 64);
    timpani.Add(Comp(chords, "^1:e 1:s 1:s 1:q r:h", 45, 72));
    Voice& drums = song.AddVoice("Drums", 9, 0, 90, 64);
    drums.Add(Beat(song, "X..x..x.X..x..x.", gm::LowTom, 72, 1, song.Bars));
    drums.Add(Beat(song, "x.......x.......", gm::Kick, 80, 1, song.Bars));
    return song;
}

}  // namespace

std::vector<Song> BattleSongs() {
    return {BattleRandom(), BattleFierce(), BossFirst(), BossSecond(), Victory(), Encounter()};
}

}  // namespace kv::gen
