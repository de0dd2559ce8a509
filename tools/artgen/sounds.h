// Placeholder sounds: short tones as 16-bit PCM WAV for effects, a simple
// arpeggio as Ogg Vorbis for music, each shaped by its name so they differ.
#pragma once

#include <string>

#include "tables.h"

namespace artgen {

// Writes the sound at `root`/`entry.path`; false with a message in `error`.
bool WriteSound(const std::string& root, const SoundEntry& entry, std::string& error);

} // namespace artgen
