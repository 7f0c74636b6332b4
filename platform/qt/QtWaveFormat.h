#pragma once
// The PCM format record as Qt Multimedia's format: integer PCM of 8 (unsigned), 16 or 32 bits
// (signed), one or more channels, a positive rate. Anything else has no Qt counterpart.
#include <QAudioFormat>
#include <optional>

#include "platform/Audio.h"

namespace parlomat {

std::optional<QAudioFormat> toQAudioFormat(const WaveFormat& format);

}  // namespace parlomat
