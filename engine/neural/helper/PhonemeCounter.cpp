// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/neural/helper/PhonemeCounter.h"

#include "engine/neural/helper/SentenceSplit.h"

#include <algorithm>
#include <espeak-ng/speak_lib.h>

namespace neural {

// Without espeak-ng, every word counts as one phoneme: the marks still follow the words, if less
// closely.
PhonemeCounter::PhonemeCounter(const std::string& espeakVoice)
{
    if (espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT) <= 0)
        return;
    ready_ =
        espeak_SetVoiceByName(espeakVoice.c_str()) == EE_OK || espeak_SetVoiceByName("en") == EE_OK;
}

PhonemeCounter::~PhonemeCounter()
{
    espeak_Terminate();
}

int PhonemeCounter::phonemesOf(const std::string& word) const
{
    if (!ready_)
        return 1;
    std::u32string phonemes;
    const void* rest = word.c_str();
    while (rest) {
        const char* clause = espeak_TextToPhonemes(&rest, espeakCHARS_UTF8, espeakPHONEMES_IPA);
        if (clause)
            phonemes += decodeUtf8(clause);
    }
    std::erase_if(phonemes, [](char32_t c) { return c == U' ' || c == U'\n'; });
    return std::max(1, static_cast<int>(phonemes.size()));
}

} // namespace neural
