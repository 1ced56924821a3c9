#pragma once
// General MIDI program numbers (counted from 0) and drum-kit keys the tunes use.
namespace kv::gen::gm {

constexpr int Piano = 0;
constexpr int ElectricPiano = 4;
constexpr int Harpsichord = 6;
constexpr int Celesta = 8;
constexpr int Glockenspiel = 9;
constexpr int MusicBox = 10;
constexpr int Vibraphone = 11;
constexpr int Marimba = 12;
constexpr int Xylophone = 13;
constexpr int TubularBells = 14;
constexpr int Dulcimer = 15;
constexpr int ChurchOrgan = 19;
constexpr int ReedOrgan = 20;
constexpr int Accordion = 21;
constexpr int NylonGuitar = 24;
constexpr int SteelGuitar = 25;
constexpr int OverdrivenGuitar = 29;
constexpr int DistortionGuitar = 30;
constexpr int AcousticBass = 32;
constexpr int FingerBass = 33;
constexpr int FretlessBass = 35;
constexpr int SynthBass = 38;
constexpr int Violin = 40;
constexpr int Viola = 41;
constexpr int Cello = 42;
constexpr int Contrabass = 43;
constexpr int TremoloStrings = 44;
constexpr int PizzicatoStrings = 45;
constexpr int Harp = 46;
constexpr int Timpani = 47;
constexpr int Strings = 48;
constexpr int SlowStrings = 49;
constexpr int SynthStrings = 50;
constexpr int ChoirAahs = 52;
constexpr int VoiceOohs = 53;
constexpr int OrchestraHit = 55;
constexpr int Trumpet = 56;
constexpr int Trombone = 57;
constexpr int Tuba = 58;
constexpr int FrenchHorn = 60;
constexpr int Brass = 61;
constexpr int Oboe = 68;
constexpr int EnglishHorn = 69;
constexpr int Bassoon = 70;
constexpr int Clarinet = 71;
constexpr int Piccolo = 72;
constexpr int Flute = 73;
constexpr int Recorder = 74;
constexpr int PanFlute = 75;
constexpr int Ocarina = 79;
constexpr int SquareLead = 80;
constexpr int SawLead = 81;
constexpr int WarmPad = 89;
constexpr int ChoirPad = 91;
constexpr int HaloPad = 94;
constexpr int SweepPad = 95;
constexpr int Crystal = 98;
constexpr int Atmosphere = 99;
constexpr int Kalimba = 108;
constexpr int Fiddle = 110;
constexpr int TinkleBell = 112;
constexpr int Taiko = 116;

// Drum kit keys (channel 10, counted from 1; channel 9 counted from 0).
constexpr int Kick = 36;
constexpr int SideStick = 37;
constexpr int Snare = 38;
constexpr int Clap = 39;
constexpr int LowTom = 45;
constexpr int ClosedHat = 42;
constexpr int PedalHat = 44;
constexpr int OpenHat = 46;
constexpr int MidTom = 47;
constexpr int HighTom = 50;
constexpr int Crash = 49;
constexpr int Ride = 51;
constexpr int Tambourine = 54;
constexpr int Cowbell = 56;
constexpr int Shaker = 70;
constexpr int Triangle = 81;
constexpr int WoodBlock = 76;

}  // namespace kv::gen::gm
