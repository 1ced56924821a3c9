// Title and town tunes: stately, bright or homely, each a loop whose last bar
// leads back into its first.
#include "TuneKit.h"
#include "Tunes.h"

namespace kv::gen {
namespace {

Song Title() {
    Song song{1, "bgm01_title.mid", "Korvane - Title", 88, 4, 4, 16, {}};
    const auto chords = Progression(
        song,
        "Dm | Bb | F | C | Dm | Bb | Gm | A | Bb | C | F | Dm | Gm | Bb | Gm:h C:h | Asus4:h A:h");
    Voice& horn = song.AddVoice("Horn", 0, gm::FrenchHorn, 110, 58);
    horn.Add(Line(song,
                  "d4:q. a4:e a4:h | bb4:q a4:q g4:q f4:q | a4:h. f4:q | g4:h e4:h |"
                  "d4:q. a4:e d5:h | d5:q c5:q bb4:q a4:q | bb4:q. a4:e g4:q bb4:q | a4:w |"
                  ">d5:q. c5:e bb4:q d5:q | e5:q. d5:e c5:q e5:q | >f5:h. e5:e d5:e | d5:h a4:h |"
                  "bb4:q. c5:e d5:q g5:q | f5:h. d5:q | d5:q bb4:q e5:q c5:q | d5:h c#5:h |",
                  96));
    Voice& strings = song.AddVoice("Strings", 1, gm::Strings, 90, 76);
    strings.Articulation = Legato;
    strings.Add(Comp(chords, "C:h", 62, 62));
    Voice& bass = song.AddVoice("Low strings", 2, gm::Contrabass, 100, 50);
    bass.Add(Comp(chords, "B:q. B:e B:h", 40, 82));
    Voice& harp = song.AddVoice("Harp", 3, gm::Harp, 85, 90);
    harp.Add(Comp(Bars(song, chords, 9, 16), "1:e 5:e 8:e 10:e 12:e 10:e 8:e 5:e", 55, 60));
    Voice& timpani = song.AddVoice("Timpani", 4, gm::Timpani, 100, 64);
    timpani.Add(Comp(chords, "^1:q r:q 1:e' 1:e' 1:q'", 45, 70));
    return song;
}

Song Castle() {
    Song song{2, "bgm02_castle.mid", "Korvane - Castle Town", 112, 4, 4, 16, {}};
    const auto chords = Progression(
        song, "G | C | D | G | Em | C | A7 | D | G | C | D | Em | C | D | G:h Em:h | Am:h D7:h");
    Voice& flute = song.AddVoice("Flute", 0, gm::Flute, 105, 70);
    flute.Add(Line(
        song,
        "d5:q b4:e c5:e d5:q g5:q | e5:q. d5:e c5:q e5:q | d5:q. c5:e a4:q f#4:q | g4:h. d4:q |"
        "e4:e f#4:e g4:e a4:e b4:q e5:q | c5:q. b4:e a4:q g4:q |"
        "a4:e b4:e c#5:e d5:e e5:q c#5:q | d5:h. r:q |"
        "d5:q b4:e c5:e d5:q g5:q | e5:q. f#5:e g5:q e5:q | f#5:q. e5:e d5:q a4:q |"
        "b4:q. c5:e b4:q g4:q | e5:q. d5:e c5:q e5:q | d5:q a4:q f#4:q a4:q |"
        "g4:q b4:q e5:q g4:q | a4:q c5:q f#4:q a4:q |",
        92));
    Voice& clarinet = song.AddVoice("Clarinet", 1, gm::Clarinet, 80, 44);
    clarinet.Add(Comp(Bars(song, chords, 9, 16), "3:h 5:h", 60, 58));
    Voice& pizz = song.AddVoice("Pizzicato", 2, gm::PizzicatoStrings, 95, 84);
    pizz.Add(Comp(chords, "1:e 5:e 8:e 5:e", 55, 70));
    Voice& bass = song.AddVoice("Bass", 3, gm::AcousticBass, 100, 60);
    bass.Add(Comp(chords, "B:q 5:q 8:q 5:q", 43, 84));
    Voice& drums = song.AddVoice("Drums", 9, 0, 80, 64);
    drums.Add(Beat(song, "o.x.o.x.", gm::Tambourine, 62, 1, 16, TicksPerQuarter / 2));
    drums.Add(Beat(song, "x...............", gm::Kick, 60, 1, 16));
    return song;
}

Song Outskirts() {
    Song song{3, "bgm03_outskirts.mid", "Korvane - Outskirts", 108, 3, 4, 24, {}};
    const auto chords =
        Progression(song,
                    "Em | Em | C | C | Am | Am | B7 | B7 | Em | Em | C | D | G | D/F# | Em | Em |"
                    "C | C | Am | D | Em | C | B7 | B7");
    Voice& ocarina = song.AddVoice("Ocarina", 0, gm::Ocarina, 100, 60);
    ocarina.Add(
        Line(song,
             "e5:h b4:q | g4:h. | c5:q b4:q a4:q | g4:h e4:q | a4:h c5:q | e5:h d5:q |"
             "d#5:q c5:q b4:q | b4:h. | e5:h f#5:q | g5:q f#5:q e5:q | e5:q d5:q c5:q |"
             "d5:h a4:q | b4:h d5:q | a4:h f#4:q | g4:q a4:q b4:q | e4:h. | g4:q c5:q e5:q |"
             "g5:h e5:q | c5:q e5:q a5:q | f#5:h d5:q | e5:q. d5:e b4:q | c5:q b4:q g4:q |"
             "a4:q b4:q d#5:q | f#5:h d#5:q |",
             90));
    Voice& guitar = song.AddVoice("Guitar", 1, gm::NylonGuitar, 100, 48);
    guitar.Add(Comp(chords, "1:e 5:e 8:e 10:e 12:e 10:e", 52, 68));
    Voice& strings = song.AddVoice("Strings", 2, gm::SlowStrings, 80, 84);
    strings.Articulation = Legato;
    strings.Add(Comp(Bars(song, chords, 9, 24), "C:h.", 64, 50));
    Voice& bass = song.AddVoice("Bass", 3, gm::FretlessBass, 100, 64);
    bass.Articulation = Legato;
    bass.Add(Comp(chords, "B:h.", 40, 72));
    return song;
}

Song Shop() {
    Song song{4, "bgm04_shop.mid", "Korvane - Shop", 126, 4, 4, 16, {}};
    const auto chords = Progression(song,
                                    "F | Dm | Gm:h C:h | F | Bb | C | Am:h Dm:h | G7:h C7:h |"
                                    "F | Dm | Gm:h C:h | Am | Bb | C | F:h D7:h | Gm:h C7:h");
    const Phrase tune =
        Line(song,
             "c5:e' a4:e' c5:e' f5:e' a5:q f5:q | d5:e' f5:e' a5:e' f5:e' d5:h |"
             "bb4:e' d5:e' g5:e' f5:e' e5:q c5:q | f5:q. c5:e a4:h |"
             "bb4:e' d5:e' f5:e' bb5:e' a5:q g5:q | g5:e' e5:e' c5:e' e5:e' g5:h |"
             "a5:q e5:q f5:q d5:q | b4:q d5:q bb4:q g4:q |"
             "c5:e' a4:e' c5:e' f5:e' a5:q f5:q | d5:e' f5:e' a5:e' d6:e' c6:q a5:q |"
             "bb5:q g5:q e5:q c5:q | a4:e' c5:e' e5:e' a5:e' g5:q e5:q |"
             "f5:q d5:q bb4:q d5:q | e5:q g5:q c6:q bb5:q | a5:q f5:q f#5:q d5:q |"
             "g5:q bb4:q c5:q e5:q |",
             96);
    Voice& marimba = song.AddVoice("Marimba", 0, gm::Marimba, 110, 54);
    marimba.Add(tune);
    Voice& glock = song.AddVoice("Glockenspiel", 1, gm::Glockenspiel, 70, 80);
    std::vector<Note> upper;
    for (const Note& note : tune.Notes) {
        if (note.Start >= BarStart(song, 9)) upper.push_back(note);
    }
    glock.Add(Transposed(upper, 12));
    Voice& pizz = song.AddVoice("Pizzicato", 2, gm::PizzicatoStrings, 90, 76);
    pizz.Add(Comp(chords, "r:q C:q' r:q C:q'", 62, 70));
    Voice& tuba = song.AddVoice("Tuba", 3, gm::Tuba, 100, 60);
    tuba.Add(Comp(chords, "B:q' r:q 5:q' r:q", 41, 86));
    Voice& drums = song.AddVoice("Drums", 9, 0, 80, 64);
    drums.Add(Beat(song, "..x...x.", gm::WoodBlock, 70, 1, 16, TicksPerQuarter / 2));
    drums.Add(Beat(song, ".x.x.x.x", gm::Shaker, 45, 9, 16, TicksPerQuarter / 2));
    return song;
}

Song Tavern() {
    Song song{5, "bgm05_tavern.mid", "Korvane - Tavern", 168, 6, 8, 32, {}};
    const auto chords = Progression(
        song, "{ D | D | G | A | D | G | A | D }*2 { Bm | G | D | A | Bm | G | A | D }*2");
    Voice& fiddle = song.AddVoice("Fiddle", 0, gm::Fiddle, 105, 60);
    fiddle.Add(Line(song,
                    "{ >a4:e f#4:e a4:e >d5:e f#5:e d5:e | a4:e f#4:e a4:e d5:q. |"
                    "  >b4:e g4:e b4:e >d5:e g5:e d5:e | c#5:e e5:e c#5:e a4:q. |"
                    "  >a4:e f#4:e a4:e >d5:e f#5:e a5:e | g5:e f#5:e e5:e d5:e b4:e g4:e |"
                    "  >a4:e b4:e c#5:e >e5:e d5:e c#5:e | d5:q. d5:q. | }*2"
                    "{ >f#5:e e5:e d5:e >b4:e d5:e f#5:e | g5:e f#5:e e5:e d5:q. |"
                    "  >f#5:e e5:e d5:e >a4:e d5:e f#5:e | e5:e d5:e c#5:e a4:q. |"
                    "  >b4:e c#5:e d5:e >f#5:e e5:e d5:e | e5:e d5:e b4:e g4:q b4:e |"
                    "  >a4:e c#5:e e5:e >a5:e g5:e e5:e | d5:q. a4:q. | }*2",
                    88));
    Voice& accordion = song.AddVoice("Accordion", 1, gm::Accordion, 80, 84);
    accordion.Add(Comp(chords, "r:e C:e' C:e' r:e C:e' C:e'", 62, 66));
    Voice& bass = song.AddVoice("Bass", 2, gm::AcousticBass, 100, 56);
    bass.Add(Comp(chords, "B:q. 5:q.", 43, 86));
    Voice& drums = song.AddVoice("Drums", 9, 0, 85, 64);
    drums.Add(Beat(song, "X..x..", gm::LowTom, 70, 1, 32, TicksPerQuarter / 2));
    drums.Add(Beat(song, ".xx.xx", gm::Tambourine, 48, 1, 32, TicksPerQuarter / 2));
    return song;
}

Song Temple() {
    Song song{6, "bgm06_temple.mid", "Korvane - Temple", 66, 4, 4, 12, {}};
    const auto chords =
        Progression(song, "C | Am | F | G | C/E | F | Dm7 | G | Am | F | Dm:h G:h | Gsus4:h G:h");
    Voice& choir = song.AddVoice("Choir", 0, gm::ChoirAahs, 105, 64);
    choir.Articulation = 0.97;
    choir.Add(Line(song,
                   "e4:h g4:h | a4:h. g4:q | f4:h a4:h | g4:w | g4:h c5:h | c5:q b4:q a4:h |"
                   "a4:h f4:h | g4:w | e5:h c5:h | c5:h a4:h | a4:h b4:h | c5:h b4:h |",
                   86));
    Voice& organ = song.AddVoice("Organ", 1, gm::ChurchOrgan, 80, 64);
    organ.Articulation = Legato;
    organ.Add(Comp(chords, "C:w", 57, 60));
    Voice& pedal = song.AddVoice("Pedal", 2, gm::ChurchOrgan, 80, 64);
    pedal.Articulation = Legato;
    pedal.Add(Comp(chords, "B:w", 36, 62));
    Voice& bells = song.AddVoice("Bells", 3, gm::TubularBells, 75, 40);
    bells.Add(Line(song, "{ c5:w~ r:3w }*3", 70));
    return song;
}

Song Inn() {
    Song song{7, "bgm07_inn.mid", "Korvane - Inn", 84, 3, 4, 16, {}};
    const auto chords =
        Progression(song, "F | Dm | Bb | C | F | Am | Bb | C | Dm | Am | Bb | F | Gm | C | F | C7");
    Voice& box = song.AddVoice("Music box", 0, gm::MusicBox, 105, 64);
    box.Add(Line(song,
                 "c5:h a4:q | d5:h f5:q | f5:q. e5:e d5:q | c5:h. | a4:q c5:q f5:q | e5:h c5:q |"
                 "d5:q c5:q bb4:q | g4:h. | a4:q d5:q f5:q | e5:h. | d5:q f5:q bb5:q | a5:h f5:q |"
                 "g5:q f5:q d5:q | e5:h c5:q | f5:h. | e5:q g5:q bb4:q |",
                 84));
    Voice& harp = song.AddVoice("Harp", 1, gm::Harp, 85, 44);
    harp.Add(Comp(chords, "1:q 5:q 10:q", 53, 58));
    Voice& pad = song.AddVoice("Pad", 2, gm::WarmPad, 70, 84);
    pad.Articulation = Legato;
    pad.Add(Comp(chords, "C:h.", 60, 46));
    Voice& cello = song.AddVoice("Cello", 3, gm::Cello, 85, 60);
    cello.Articulation = Legato;
    cello.Add(Comp(chords, "B:h.", 41, 60));
    return song;
}

Song StarReader() {
    Song song{8, "bgm08_starreader.mid", "Korvane - Star Reader", 76, 4, 4, 12, {}};
    const auto chords =
        Progression(song, "Dm | Em/D | Dm | Em/D | Bbmaj7 | Am | Gm | A | Dm | Em/D | Bbmaj7 | A");
    Voice& vibes = song.AddVoice("Vibraphone", 0, gm::Vibraphone, 105, 60);
    vibes.Add(Line(song,
                   "a5:q f5:e e5:e d5:h | b4:q e5:q g5:h | f5:q. e5:e d5:q a4:q | b4:w |"
                   "d5:q f5:q a5:q f5:q | e5:h. c5:q | d5:q bb4:q g4:q bb4:q | c#5:w |"
                   "a5:q f5:e e5:e d5:h | g5:q e5:q b5:h | a5:q. f5:e d5:q bb4:q | e5:h c#5:h |",
                   86));
    Voice& pad = song.AddVoice("Halo", 1, gm::HaloPad, 80, 70);
    pad.Articulation = Legato;
    pad.Add(Comp(chords, "C:w", 62, 52));
    Voice& harp = song.AddVoice("Harp", 2, gm::Harp, 80, 40);
    harp.Add(Comp(chords, "1:e 5:e 8:e 10:e 12:e 10:e 8:e 5:e", 50, 50));
    Voice& bass = song.AddVoice("Bass", 3, gm::FretlessBass, 90, 64);
    bass.Articulation = Legato;
    bass.Add(Comp(chords, "B:w", 38, 62));
    Voice& sparkle = song.AddVoice("Crystal", 4, gm::Crystal, 70, 96);
    sparkle.Add(Line(song, "{ a6:w~ r:3w }*3", 44));
    return song;
}

Song Training() {
    Song song{9, "bgm09_training.mid", "Korvane - Training Grounds", 120, 4, 4, 16, {}};
    const auto chords = Progression(
        song,
        "C | G | C | F:h G:h | C | Am | D7 | G | C | F | G | Em:h Am:h | F | G | C:h A7:h |"
        "D7:h G7:h");
    const Phrase tune = Line(song,
                             "g4:e. g4:s c5:q e5:e. d5:s c5:q | d5:q b4:q g4:h |"
                             "g4:e. g4:s c5:q e5:e. f5:s g5:q | a5:q f5:q g5:h |"
                             "e5:e. e5:s e5:q g5:e. f5:s e5:q | c5:q e5:q a4:h |"
                             "f#4:e. a4:s d5:q c5:e. b4:s a4:q | b4:q d5:q g4:h |"
                             "g4:e. g4:s c5:q e5:e. d5:s c5:q | a4:e. c5:s f5:q a5:e. g5:s f5:q |"
                             "g5:q d5:q b4:q g4:q | e5:q g5:q c5:q e5:q |"
                             "f5:e. e5:s d5:q c5:e. d5:s a4:q | g4:q b4:q d5:q g5:q |"
                             "e5:q c5:q c#5:q e5:q | d5:q f#4:q g4:q b4:q |",
                             98);
    Voice& trumpet = song.AddVoice("Trumpet", 0, gm::Trumpet, 105, 60);
    trumpet.Add(tune);
    Voice& piccolo = song.AddVoice("Piccolo", 1, gm::Piccolo, 70, 80);
    std::vector<Note> upper;
    for (const Note& note : tune.Notes) {
        if (note.Start >= BarStart(song, 9)) upper.push_back(note);
    }
    piccolo.Add(Transposed(upper, 12));
    Voice& horns = song.AddVoice("Horns", 2, gm::FrenchHorn, 85, 44);
    horns.Add(Comp(chords, "r:q C:q' r:q C:q'", 58, 70));
    Voice& tuba = song.AddVoice("Tuba", 3, gm::Tuba, 100, 64);
    tuba.Add(Comp(chords, "B:q' r:q 5:q' r:q", 38, 88));
    Voice& drums = song.AddVoice("Drums", 9, 0, 90, 64);
    drums.Add(Beat(song, "X.o.x.o.X.o.xxx.", gm::Snare, 66, 1, 16));
    drums.Add(Beat(song, "x.......x.......", gm::Kick, 76, 1, 16));
    drums.Add(Beat(song, "X", gm::Crash, 70, 1, 1, song.BarTicks()));
    drums.Add(Beat(song, "X", gm::Crash, 70, 9, 9, song.BarTicks()));
    return song;
}

}  // namespace

std::vector<Song> TownSongs() {
    return {Title(),  Castle(), Outskirts(),  Shop(),    Tavern(),
            Temple(), Inn(),    StarReader(), Training()};
}

}  // namespace kv::gen
