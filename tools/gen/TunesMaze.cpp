// Maze, camp and wipe-out tunes: slow, sparse and dark, built over ostinatos
// that make the loop seam hard to hear.
#include "TuneKit.h"
#include "Tunes.h"

namespace kv::gen {
namespace {

Song MazeUpper() {
    Song song{10, "bgm10_maze1.mid", "Korvane - Labyrinth", 96, 4, 4, 20, {}};
    const auto chords = Progression(
        song,
        "Am | Am | F | E | Am | Dm | Bdim:h E:h | Am | F | G | C | Am | Dm | Am | F | E |"
        "Am | F | Dm | E");
    Voice& clarinet = song.AddVoice("Clarinet", 0, gm::Clarinet, 100, 56);
    clarinet.Add(
        Line(song,
             "e5:h. d5:q | c5:h b4:q a4:q | c5:h. a4:q | b4:w | e5:h. f5:q | f5:q e5:q d5:q a4:q |"
             "d5:h g#4:h | a4:w | a4:q c5:q f5:h | e5:q d5:q b4:h | c5:q e5:q g5:h | e5:w |"
             "f5:h. e5:q | c5:h a4:h | d5:q c5:q a4:q f4:q | g#4:w | r:w | r:w | f4:h a4:h |"
             "g#4:h b4:h |",
             80));
    Voice& pizz = song.AddVoice("Pizzicato", 1, gm::PizzicatoStrings, 95, 76);
    pizz.Add(Comp(chords, "1:e 5:e 8:e 5:e", 45, 72));
    Voice& pad = song.AddVoice("Strings", 2, gm::SynthStrings, 70, 40);
    pad.Articulation = Legato;
    pad.Add(Comp(chords, "C:w", 57, 50));
    Voice& bass = song.AddVoice("Contrabass", 3, gm::Contrabass, 95, 64);
    bass.Articulation = Legato;
    bass.Add(Comp(chords, "B:w", 33, 70));
    Voice& timpani = song.AddVoice("Timpani", 4, gm::Timpani, 80, 64);
    for (int bar : {4, 8, 16, 20}) {
        timpani.Add(Comp(Bars(song, chords, bar, bar), "_1:s 1:s 1:s 1:s ^1:q r:h", 40, 70));
    }
    return song;
}

Song MazeDeep() {
    Song song{11, "bgm11_maze2.mid", "Korvane - The Deep", 72, 4, 4, 14, {}};
    const auto chords =
        Progression(song, "Em | F | Em | Dm | Em | F | G | F | Em | Dm | C | F | Em | F");
    Voice& horn = song.AddVoice("Horn", 0, gm::FrenchHorn, 95, 50);
    horn.Articulation = 0.96;
    horn.Add(
        Line(song,
             "b4:w | c5:h. b4:q | g4:h e4:h | f4:h. d4:q | e4:w | f4:q a4:q c5:q f5:q | e5:h d5:h |"
             "c5:w | b4:h. g4:q | a4:h f4:h | g4:h. e4:q | f4:w | e4:h g4:h | f4:h c5:h |",
             72));
    Voice& choir = song.AddVoice("Choir", 1, gm::ChoirAahs, 80, 78);
    choir.Articulation = Legato;
    choir.Add(Comp(chords, "C:w", 55, 52));
    Voice& cello = song.AddVoice("Cello", 2, gm::Cello, 95, 40);
    cello.Add(Comp(chords, "1:e 8:e 5:e 8:e 3:e 8:e 5:e 8:e", 40, 62));
    Voice& drone = song.AddVoice("Drone", 3, gm::Contrabass, 90, 64);
    drone.Articulation = Legato;
    drone.Add(Comp(chords, "B:w", 30, 66));
    Voice& bells = song.AddVoice("Bells", 4, gm::TubularBells, 70, 96);
    bells.Add(Line(song, "{ e5:w~ r:3w }*3 e5:w~ r:w", 64));
    return song;
}

Song WipedOut() {
    Song song{17, "bgm17_wipeout.mid", "Korvane - Fallen", 60, 4, 4, 8, {}};
    const auto chords = Progression(song, "Am | F | Dm | E | Am | Dm | F:h Dm:h | E");
    Voice& horn = song.AddVoice("English horn", 0, gm::EnglishHorn, 100, 60);
    horn.Articulation = 0.96;
    horn.Add(Line(song,
                  "e5:h. c5:q | a4:h. c5:q | d5:q. e5:e f5:q a4:q | g#4:w | a4:q c5:q e5:q a5:q |"
                  "f5:h. d5:q | c5:h a4:h | b4:h g#4:h |",
                  82));
    Voice& strings = song.AddVoice("Strings", 1, gm::SlowStrings, 85, 76);
    strings.Articulation = Legato;
    strings.Add(Comp(chords, "C:w", 57, 56));
    Voice& piano = song.AddVoice("Piano", 2, gm::Piano, 80, 44);
    piano.Add(Comp(chords, "1:e 5:e 8:e 10:e 12:e 10:e 8:e 5:e", 48, 46));
    Voice& cello = song.AddVoice("Cello", 3, gm::Cello, 90, 64);
    cello.Articulation = Legato;
    cello.Add(Comp(chords, "B:w", 40, 62));
    return song;
}

Song Camp() {
    Song song{18, "bgm18_camp.mid", "Korvane - Campfire", 84, 4, 4, 12, {}};
    const auto chords =
        Progression(song, "G | Em | C | D | G | Bm | C | D | Em | C | Am:h D:h | G:h D:h");
    Voice& flute = song.AddVoice("Flute", 0, gm::Flute, 100, 70);
    flute.Add(Line(
        song,
        "b4:h. d5:q | e5:q d5:q b4:h | c5:q. d5:e e5:q g5:q | f#5:h d5:h | g5:h. d5:q |"
        "f#5:q e5:q d5:h | e5:q. d5:e c5:q e5:q | d5:w | b4:q e5:q g5:q b5:q | a5:h g5:q e5:q |"
        "c5:q e5:q d5:q f#5:q | g5:h a4:h |",
        82));
    Voice& guitar = song.AddVoice("Guitar", 1, gm::NylonGuitar, 100, 50);
    guitar.Add(Comp(chords, "1:e 5:e 8:e 5:e 10:e 5:e 8:e 5:e", 50, 66));
    Voice& pad = song.AddVoice("Pad", 2, gm::WarmPad, 70, 84);
    pad.Articulation = Legato;
    pad.Add(Comp(chords, "C:w", 60, 44));
    Voice& bass = song.AddVoice("Bass", 3, gm::FingerBass, 90, 64);
    bass.Add(Comp(chords, "B:h 5:h", 40, 70));
    Voice& drums = song.AddVoice("Drums", 9, 0, 60, 64);
    drums.Add(Beat(song, ".x.x.x.x", gm::Shaker, 40, 1, 12, TicksPerQuarter / 2));
    return song;
}

}  // namespace

std::vector<Song> MazeSongs() {
    return {MazeUpper(), MazeDeep(), WipedOut(), Camp()};
}

}  // namespace kv::gen
