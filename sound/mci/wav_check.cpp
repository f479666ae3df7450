#include "wav_check.h"

#include <windows.h>

#include <mmsystem.h>

#include <cstdint>
#include <vector>

namespace marvesto {

bool SamplesCutShort(const std::wstring& fileName) {
    WIN32_FILE_ATTRIBUTE_DATA file{};
    if (GetFileAttributesExW(fileName.c_str(), GetFileExInfoStandard, &file) == FALSE) {
        return false;
    }
    const std::uint64_t size = (std::uint64_t{file.nFileSizeHigh} << 32) | file.nFileSizeLow;
    // mmioOpenW takes a writable name.
    std::vector<wchar_t> name(fileName.begin(), fileName.end());
    name.push_back(L'\0');
    HMMIO wav = mmioOpenW(name.data(), nullptr, MMIO_READ | MMIO_DENYNONE);
    if (wav == nullptr) {
        return false;
    }
    MMCKINFO riff{};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    MMCKINFO samples{};
    samples.ckid = mmioFOURCC('d', 'a', 't', 'a');
    const bool cut = mmioDescend(wav, &riff, nullptr, MMIO_FINDRIFF) == MMSYSERR_NOERROR &&
                     mmioDescend(wav, &samples, &riff, MMIO_FINDCHUNK) == MMSYSERR_NOERROR &&
                     std::uint64_t{samples.dwDataOffset} + samples.cksize > size;
    mmioClose(wav, 0);
    return cut;
}

} // namespace marvesto
