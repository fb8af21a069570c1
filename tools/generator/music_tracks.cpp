#include "music_tracks.h"

namespace
{
// D minor, slow: harp and bells over a dark pad, a soft drum at each bar.
SongPlan TitleTheme()
{
    SongPlan plan;
    plan.fileName = "title.ogg";
    plan.beatsPerMinute = 70.0;
    plan.rootMidi = 50;
    plan.mode = ScaleMode::NaturalMinor;
    plan.chordDegrees = {0, 5, 2, 6};
    plan.bassPattern = "R---------------";
    plan.arpPattern = "0-1-2-3-2-1-0-1-";
    plan.timpaniPattern = "o...............";
    plan.melodyInstrument = Instrument::Bell;
    plan.melodyDensity = 0.45;
    plan.melodyCentreDegree = 8;
    plan.echoBeats = 1.5;
    plan.reverbMix = 0.35f;
    plan.seed = 11;
    return plan;
}

// C major fanfare: brass over a marching snare, four bars.
SongPlan MapCompletedFanfare()
{
    SongPlan plan;
    plan.fileName = "map_completed.ogg";
    plan.beatsPerMinute = 126.0;
    plan.bars = 4;
    plan.rootMidi = 48;
    plan.mode = ScaleMode::Major;
    plan.chordDegrees = {0, 3, 4, 0};
    plan.bassPattern = "R-R-F-F-O-O-F-F-";
    plan.padInstrument = Instrument::Strings;
    plan.kickPattern = "x.......x.......";
    plan.snarePattern = "....x..o....x.o.";
    plan.hatPattern = "x.x.x.x.x.x.x.x.";
    plan.melodyInstrument = Instrument::Brass;
    // G G G C' | A C' F' | D' E' F' D' B G | C' held.
    plan.writtenTune = "4:1 4:1 4:2 7:4 5:2 7:2 10:4 8:1 9:1 10:2 8:2 6:2 7:6 r:2";
    plan.echoBeats = 0.0;
    plan.reverbMix = 0.2f;
    plan.seed = 23;
    return plan;
}

// F major, calm: the journey is over.
SongPlan EndingTheme()
{
    SongPlan plan;
    plan.fileName = "the_end.ogg";
    plan.beatsPerMinute = 76.0;
    plan.rootMidi = 41;
    plan.mode = ScaleMode::Major;
    plan.chordDegrees = {0, 4, 5, 3};
    plan.bassPattern = "R-------F-------";
    plan.arpPattern = "0-1-2-1-3-1-2-1-";
    plan.melodyInstrument = Instrument::Bell;
    plan.melodyDensity = 0.5;
    plan.melodyCentreDegree = 9;
    plan.echoBeats = 1.0;
    plan.reverbMix = 0.35f;
    plan.seed = 37;
    return plan;
}

// A minor, walking pace: the first halls.
SongPlan FirstMap()
{
    SongPlan plan;
    plan.fileName = "map1.ogg";
    plan.beatsPerMinute = 100.0;
    plan.rootMidi = 45;
    plan.mode = ScaleMode::NaturalMinor;
    plan.chordDegrees = {0, 5, 3, 4};
    plan.bassPattern = "R-R.R-R.F-F.O-R.";
    plan.arpPattern = "0.1.2.1.0.1.2.1.";
    plan.kickPattern = "x.......x.......";
    plan.hatPattern = "..o...o...o...o.";
    plan.melodyDensity = 0.6;
    plan.seed = 41;
    return plan;
}

// E phrygian, driving: organ and drums down in the cellars.
SongPlan SecondMap()
{
    SongPlan plan;
    plan.fileName = "map2.ogg";
    plan.beatsPerMinute = 112.0;
    plan.rootMidi = 40;
    plan.mode = ScaleMode::Phrygian;
    plan.chordDegrees = {0, 1, 0, 6};
    plan.bassPattern = "R.RR.RR.R.RR.RFO";
    plan.padInstrument = Instrument::Organ;
    plan.kickPattern = "x..x..x.x..x..x.";
    plan.snarePattern = "....x.......x...";
    plan.hatPattern = "o.o.o.o.o.o.o.o.";
    plan.melodyDensity = 0.55;
    plan.melodyCentreDegree = 8;
    plan.reverbMix = 0.3f;
    plan.seed = 53;
    return plan;
}

// C minor, slow and solemn: a chapel with organ, bells and timpani.
SongPlan ThirdMap()
{
    SongPlan plan;
    plan.fileName = "map3.ogg";
    plan.beatsPerMinute = 84.0;
    plan.rootMidi = 48;
    plan.mode = ScaleMode::NaturalMinor;
    plan.chordDegrees = {0, 3, 5, 4};
    plan.bassPattern = "R-------R---F---";
    plan.bassInstrument = Instrument::Organ;
    plan.padInstrument = Instrument::Organ;
    plan.arpPattern = "0...1...2...1...";
    plan.arpInstrument = Instrument::Bell;
    plan.timpaniPattern = "x.......o.......";
    plan.melodyInstrument = Instrument::Bell;
    plan.melodyDensity = 0.45;
    plan.echoBeats = 1.5;
    plan.reverbMix = 0.4f;
    plan.seed = 67;
    return plan;
}

// D dorian, brisk: the adventurous middle of the castle.
SongPlan FourthMap()
{
    SongPlan plan;
    plan.fileName = "map4.ogg";
    plan.beatsPerMinute = 120.0;
    plan.rootMidi = 50;
    plan.mode = ScaleMode::Dorian;
    plan.chordDegrees = {0, 3, 0, 6};
    plan.bassPattern = "R.R.RR.FR.R.RO.F";
    plan.padInstrument = Instrument::Strings;
    plan.arpPattern = "0123212301232123";
    plan.kickPattern = "x.....x...x.....";
    plan.snarePattern = "....x.......x...";
    plan.hatPattern = "x.x.x.x.x.x.x.x.";
    plan.melodyDensity = 0.65;
    plan.melodyCentreDegree = 10;
    plan.reverbMix = 0.22f;
    plan.seed = 79;
    return plan;
}

// B minor waltz in 3/4: a haunted ballroom.
SongPlan FifthMap()
{
    SongPlan plan;
    plan.fileName = "map5.ogg";
    plan.beatsPerMinute = 132.0;
    plan.beatsPerBar = 3;
    plan.bars = 12;
    plan.rootMidi = 47;
    plan.mode = ScaleMode::HarmonicMinor;
    plan.chordDegrees = {0, 5, 3, 4};
    plan.bassPattern = "R-..........";
    plan.padInstrument = Instrument::Strings;
    plan.arpPattern = "....1-..2-..";
    plan.melodyDensity = 0.55;
    plan.melodyCentreDegree = 8;
    plan.echoBeats = 1.5;
    plan.reverbMix = 0.3f;
    plan.seed = 83;
    return plan;
}

// F# phrygian, fast and tense: the last stretch before the end.
SongPlan SixthMap()
{
    SongPlan plan;
    plan.fileName = "map6.ogg";
    plan.beatsPerMinute = 128.0;
    plan.rootMidi = 42;
    plan.mode = ScaleMode::Phrygian;
    plan.chordDegrees = {0, 1, 0, 6};
    plan.bassPattern = "R.R.R.R.R.R.O.R.";
    plan.arpPattern = "0101210101210121";
    plan.kickPattern = "x...x...x...x...";
    plan.snarePattern = "....x.......x..x";
    plan.hatPattern = "xoxoxoxoxoxoxoxo";
    plan.melodyDensity = 0.6;
    plan.melodyCentreDegree = 9;
    plan.reverbMix = 0.2f;
    plan.seed = 97;
    return plan;
}
} // namespace

std::vector<SongPlan> GameSongs()
{
    return {TitleTheme(), MapCompletedFanfare(), EndingTheme(), FirstMap(), SecondMap(),
            ThirdMap(),   FourthMap(),           FifthMap(),    SixthMap()};
}
