#pragma once

#include <cstdint>
#include <vector>

// Distance shading as a table: for every entry of the light table, what each
// 8-bit channel value becomes (channel / 32 x light, truncated). Neighbouring
// distances far away often shade every value alike, so they share one row.
//
// Most rows are also a multiplication: the channel value v becomes
// ((v * 256 * m) >> 16) >> t for some 16-bit m and a shift t, which wide
// registers do for many channels at once. Multipliers() gives m | t << 16 per
// light table entry, found and checked against the row value by value; a few
// rows, where rounding made the division land just below a whole number, fit
// no multiplication and carry IRREGULAR instead.
class ShadeTable
{
public:
    static constexpr int CHANNEL_VALUES = 256;
    static constexpr std::uint32_t IRREGULAR = 0x80000000u;

    // Builds the rows from the light per distance (each capped at maxLight).
    void Build(const std::vector<double>& light, double maxLight);
    // The shading of a distance already truncated and clamped to the light table.
    const std::uint8_t* Row(int lightIndex) const
    {
        return mShades.data() + mRowOffsets[static_cast<std::size_t>(lightIndex)];
    }
    // Where each light table entry's row starts in Data().
    const std::uint32_t* RowOffsets() const { return mRowOffsets.data(); }
    const std::uint8_t* Data() const { return mShades.data(); }
    int RowCount() const { return static_cast<int>(mShades.size() / CHANNEL_VALUES); }
    // Per light table entry: the row as a multiplication, or IRREGULAR.
    const std::uint32_t* Multipliers() const { return mMultipliers.data(); }

    // A texel shaded through a table row: red, green and blue each looked up
    // where the format puts them, and the format's alpha set. `layout` tells
    // where: its redShift, greenShift, blueShift and alphaMask.
    template <typename Layout>
    static std::uint32_t ShadeTexel(const Layout& layout, const std::uint8_t* row,
                                    std::uint32_t texel)
    {
        return static_cast<std::uint32_t>(row[(texel >> layout.redShift) & 0xFFu])
                   << layout.redShift |
               static_cast<std::uint32_t>(row[(texel >> layout.greenShift) & 0xFFu])
                   << layout.greenShift |
               static_cast<std::uint32_t>(row[(texel >> layout.blueShift) & 0xFFu])
                   << layout.blueShift |
               layout.alphaMask;
    }

    // What the multiplication m | t << 16 makes of a channel value.
    static std::uint8_t Multiply(std::uint32_t multiplier, int value)
    {
        const std::uint32_t m = multiplier & 0xFFFFu;
        const std::uint32_t t = (multiplier >> 16) & 0xFFu;
        return static_cast<std::uint8_t>(((static_cast<std::uint32_t>(value) * 256u * m) >> 16) >>
                                         t);
    }

private:
    // The multiplication that gives the row, or IRREGULAR.
    static std::uint32_t FindMultiplier(const std::uint8_t* row);

    std::vector<std::uint32_t> mRowOffsets;
    std::vector<std::uint8_t> mShades;
    std::vector<std::uint32_t> mMultipliers;
};
