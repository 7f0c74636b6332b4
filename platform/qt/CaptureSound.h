#pragma once
// The sound of a PCM wave file in the capture format: unsigned 8-bit mono at a given rate, as the
// recorder hears it. Reads integer PCM of 8 or 16 bits with any number of channels (mixed down
// by their mean) and resamples linearly; 8-bit mono at the same rate comes back byte for byte.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace parlomat {

// Nothing when the file cannot be read or is not such a wave file; `why` then says what is wrong.
std::optional<std::vector<uint8_t>> loadCaptureSound(const std::string& path, int rate,
                                                     std::string* why = nullptr);

}  // namespace parlomat
