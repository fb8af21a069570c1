#include "ogg_writer.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace
{
constexpr int CHUNK_FRAMES = 1024;

// Owns the libvorbis/libogg encoder state and releases it in the right order.
class VorbisEncoder
{
public:
    VorbisEncoder(int sampleRate, float quality, int serialNumber)
    {
        vorbis_info_init(&mInfo);
        if (vorbis_encode_init_vbr(&mInfo, 2, sampleRate, quality) != 0)
        {
            vorbis_info_clear(&mInfo);
            throw std::runtime_error("Unable to set up the Vorbis encoder");
        }
        vorbis_comment_init(&mComment);
        vorbis_comment_add_tag(&mComment, "TITLE", "Quill 3D");
        vorbis_analysis_init(&mDsp, &mInfo);
        vorbis_block_init(&mDsp, &mBlock);
        ogg_stream_init(&mStream, serialNumber);
    }

    ~VorbisEncoder()
    {
        ogg_stream_clear(&mStream);
        vorbis_block_clear(&mBlock);
        vorbis_dsp_clear(&mDsp);
        vorbis_comment_clear(&mComment);
        vorbis_info_clear(&mInfo);
    }

    VorbisEncoder(const VorbisEncoder&) = delete;
    VorbisEncoder& operator=(const VorbisEncoder&) = delete;

    void WriteHeaders(std::ofstream& file)
    {
        ogg_packet identification;
        ogg_packet comments;
        ogg_packet codebooks;
        vorbis_analysis_headerout(&mDsp, &mComment, &identification, &comments, &codebooks);
        ogg_stream_packetin(&mStream, &identification);
        ogg_stream_packetin(&mStream, &comments);
        ogg_stream_packetin(&mStream, &codebooks);
        // The audio must start on a fresh page.
        ogg_page page;
        while (ogg_stream_flush(&mStream, &page) != 0)
        {
            WritePage(file, page);
        }
    }

    void Encode(std::ofstream& file, const std::vector<float>& left,
                const std::vector<float>& right)
    {
        for (std::size_t first = 0; first < left.size(); first += CHUNK_FRAMES)
        {
            const std::size_t count = std::min<std::size_t>(CHUNK_FRAMES, left.size() - first);
            float** buffer = vorbis_analysis_buffer(&mDsp, static_cast<int>(count));
            std::copy(left.begin() + first, left.begin() + first + count, buffer[0]);
            std::copy(right.begin() + first, right.begin() + first + count, buffer[1]);
            vorbis_analysis_wrote(&mDsp, static_cast<int>(count));
            Drain(file);
        }
        vorbis_analysis_wrote(&mDsp, 0); // end of stream
        Drain(file);
    }

private:
    static void WritePage(std::ofstream& file, const ogg_page& page)
    {
        file.write(reinterpret_cast<const char*>(page.header), page.header_len);
        file.write(reinterpret_cast<const char*>(page.body), page.body_len);
    }

    void Drain(std::ofstream& file)
    {
        while (vorbis_analysis_blockout(&mDsp, &mBlock) == 1)
        {
            vorbis_analysis(&mBlock, nullptr);
            vorbis_bitrate_addblock(&mBlock);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&mDsp, &packet) != 0)
            {
                ogg_stream_packetin(&mStream, &packet);
                ogg_page page;
                while (ogg_stream_pageout(&mStream, &page) != 0)
                {
                    WritePage(file, page);
                }
            }
        }
    }

    vorbis_info mInfo{};
    vorbis_comment mComment{};
    vorbis_dsp_state mDsp{};
    vorbis_block mBlock{};
    ogg_stream_state mStream{};
};
} // namespace

void WriteOggVorbis(const std::string& path, const std::vector<float>& left,
                    const std::vector<float>& right, int sampleRate, float quality,
                    int serialNumber)
{
    std::ofstream file(path, std::ios::binary);
    if (!file)
    {
        throw std::runtime_error("Unable to write " + path);
    }
    VorbisEncoder encoder(sampleRate, quality, serialNumber);
    encoder.WriteHeaders(file);
    encoder.Encode(file, left, right);
    if (!file)
    {
        throw std::runtime_error("Unable to write " + path);
    }
}
