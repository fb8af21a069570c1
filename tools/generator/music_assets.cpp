#include "music_assets.h"

#include "music_renderer.h"
#include "music_tracks.h"
#include "ogg_writer.h"

#include <fstream>
#include <future>
#include <stdexcept>
#include <vector>

namespace
{
constexpr float VORBIS_QUALITY = 0.2f;
constexpr int FIRST_STREAM_SERIAL = 0x5131; // fixed, so the files never change between runs

void WriteTrack(const SongPlan& plan, const std::string& directory, int serial)
{
    const StereoTrack track = RenderSong(plan);
    WriteOggVorbis(directory + "/" + plan.fileName, track.left, track.right, MUSIC_SAMPLE_RATE,
                   VORBIS_QUALITY, serial);
}
} // namespace

void WriteMusic(const std::string& directory)
{
    const std::vector<SongPlan> songs = GameSongs();
    // Each track is independent, so they are made side by side; every file comes out the same
    // whichever finishes first.
    std::vector<std::future<void>> jobs;
    for (std::size_t index = 0; index < songs.size(); ++index)
    {
        jobs.push_back(std::async(std::launch::async, WriteTrack, std::cref(songs[index]),
                                  std::cref(directory),
                                  FIRST_STREAM_SERIAL + static_cast<int>(index)));
    }
    for (std::future<void>& job : jobs)
    {
        job.get();
    }
    std::ofstream list(directory + "/music.cfg", std::ios::binary);
    for (const SongPlan& song : songs)
    {
        list << song.fileName << '\n';
    }
    if (!list)
    {
        throw std::runtime_error("Unable to write " + directory + "/music.cfg");
    }
}
