#pragma once

#include <cstdint>
#include <span>
#include <string>

// Checks a standard MIDI file before the synthesizer sees it, and measures it. The
// synthesizer cannot play a file whose tracks are cut short, whose events are
// malformed or whose timing is SMPTE-based, and worse, when told to repeat such a
// piece (or one that lasts no time) it retries for ever inside the audio thread, which
// then never lets go of the mixer. Those files are refused here.
//
// seconds receives the piece's length: to the end of its longest track, following its
// tempo changes. The synthesizer keeps sounding (and reports playing) for seconds after
// that, its release and reverb tail, so this is where the piece really ends.
bool CheckMidiFile(std::span<const uint8_t> bytes, double* seconds, std::string* error);
