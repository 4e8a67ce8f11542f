// Record sizes and the bookkeeping of stored lengths and start addresses.

#include "playlist/mpls.h"

#include <utility>

namespace mirtal::playlist {

uint32_t streamSize(const TSecAudio& s)
{
    const uint32_t a = s.numberOfPrimaryAudioRefs;
    return 18 + a + a % 2;
}

uint32_t streamSize(const TSecVideo& s)
{
    const uint32_t a = s.numberOfSecondaryAudioRefs, b = s.numberOfPipPgRefs;
    return 20 + a + a % 2 + b + b % 2;
}

uint32_t subPathFileSize(const TSubPath& s)
{
    uint32_t size = 10;
    for (const auto& i : s.subPlayItems)
        size += i.length + 2u;
    return size;
}

void shiftExtensionData(TPLmpls& m, int64_t delta)
{
    if (m.extensionDataStartAddress != 0)
        m.extensionDataStartAddress = static_cast<uint32_t>(m.extensionDataStartAddress + delta);
}

void resizePlayListSection(TPLmpls& m, int64_t delta)
{
    m.playList.length = static_cast<uint32_t>(m.playList.length + delta);
    m.playListMarkStartAddress = static_cast<uint32_t>(m.playListMarkStartAddress + delta);
    shiftExtensionData(m, delta);
}

void resizeMarkSection(TPLmpls& m, int64_t delta)
{
    m.marks.length = static_cast<uint32_t>(m.marks.length + delta);
    shiftExtensionData(m, delta);
}

void commitPlayListExtensionData(TPLmpls& mpls, core::TExtensionData block)
{
    mpls.extensionData = std::move(block);
    mpls.extensionDataStartAddress =
        mpls.extensionData.length == 0 ? 0 : mpls.playListMarkStartAddress + mpls.marks.length + 4;
}

}  // namespace mirtal::playlist
