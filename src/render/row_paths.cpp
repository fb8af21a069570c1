#include "render/row_pass.h"
#include "render/strip_block.h"

#include <cmath>

bool RowPaths::Available(RowPath path)
{
    switch (path)
    {
    case RowPath::Portable:
        return true;
    case RowPath::Avx512:
#if defined(__x86_64__) || defined(__i386__)
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
               __builtin_cpu_supports("avx512dq") && __builtin_cpu_supports("avx512vl");
#else
        return false;
#endif
    }
    return false;
}

bool RowPaths::ByteTables()
{
#if defined(__x86_64__) || defined(__i386__)
    return Available(RowPath::Avx512) && __builtin_cpu_supports("avx512vbmi");
#else
    return false;
#endif
}

RowPath RowPaths::Best()
{
    return Available(RowPath::Avx512) ? RowPath::Avx512 : RowPath::Portable;
}

const char* RowPaths::Name(RowPath path)
{
    switch (path)
    {
    case RowPath::Portable:
        return "portable";
    case RowPath::Avx512:
        return "AVX-512";
    }
    return "unknown";
}

void RowPaths::Paint(RowPath path, const RowPass& pass)
{
    if (path == RowPath::Avx512)
    {
        PaintRowsAvx512(pass);
        return;
    }
    PaintRowsPortable(pass);
}

void RowPaths::ClearStripBlock(RowPath path, const StripBlock& block)
{
    if (path == RowPath::Avx512)
    {
        ClearStripBlockAvx512(block);
        return;
    }
    ClearStripBlockPortable(block);
}

bool RowPaths::PaintWallStrip(RowPath path, const StripBlock& block, int column,
                              const WallStrip& strip)
{
    if (path == RowPath::Avx512)
    {
        return PaintWallStripAvx512(block, column, strip);
    }
    return PaintWallStripPortable(block, column, strip);
}

void RowPaths::FlushStripBlock(RowPath path, const StripBlock& block, const BlockTarget& target)
{
    if (path == RowPath::Avx512)
    {
        FlushStripBlockAvx512(block, target);
        return;
    }
    FlushStripBlockPortable(block, target);
}

bool RowPass::FactorsFit(const double* factors, int count)
{
    for (int i = 0; i < count; ++i)
    {
        const double magnitude = std::fabs(factors[i]);
        if (magnitude != 0 && !(magnitude >= 0x1p-900 && magnitude <= 0x1p900))
        {
            return false;
        }
    }
    return true;
}
