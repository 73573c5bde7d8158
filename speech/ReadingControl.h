// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "speech/Voice.h"
#include "speech/VoiceHolder.h"
#include "speech/WordHighlight.h"

#include <functional>
#include <optional>
#include <QMetaType>

class QComboBox;
class QLabel;
class QProgressBar;
class QSlider;
class QTextDocument;
class QTextEdit;

Q_DECLARE_METATYPE(speech::VoiceTokenPtr)

namespace speech {

// The window's controls that reading aloud reads from and shows its state in.
struct ReadingControls {
    QTextEdit& editor;
    QComboBox& voices;
    QSlider& rate;
    QLabel& rateLabel;
    QSlider& volume;
    QLabel& volumeLabel;
    QProgressBar& progress;
};

// Reads the editor's text aloud through the window's voice object and steers it: voice, rate,
// volume, pause and stop. Every new voice object gets the chosen voice, the track bars' rate and
// volume and the event interests, so what the controls show is what is heard. The word being
// heard of a text read aloud is marked in the editor.
class ReadingControl {
public:
    static constexpr int DefaultRate = 0;
    static constexpr int DefaultVolume = 80;

    ReadingControl(VoiceHolder& voice, ReadingControls controls);
    ~ReadingControl();
    ReadingControl(const ReadingControl&) = delete;
    ReadingControl& operator=(const ReadingControl&) = delete;

    // Start-up: the voices the engine lists, the saved one selected, then the saved rate and
    // volume as the voice takes them.
    void fillVoiceList(int savedEngine);
    // After voices were installed or removed: the voices the engine lists now, the chosen one
    // kept, or for one no longer installed the engine's stand-in.
    void reloadVoiceList(SpeechEngine& engine);
    void applyRateAndVolume(int rate, int volume);

    void readAloud();
    // Reading aloud without a selection starts at the position while the caret stays there, as it
    // is put in a document reopened where its reading stopped; nothing starts at the top.
    void continueFrom(std::optional<int> position);
    // While reading: on from the sentence before, or after, the one whose word is heard.
    void previousSentence();
    void nextSentence();
    // Told the editor position of each word heard.
    void setWordHeardHandler(std::function<void(int position)> handler);
    void pauseOrResume();
    void stop();
    void defaultRate();
    void defaultVolume();
    void voiceChosen();
    void rateMoved();
    void volumeMoved();
    void audioLevel(const AudioLevelEvent& event);

    bool isPaused() const { return paused_; }
    // The index of the chosen voice, or -1 when the box's text names none.
    int selectedVoice() const;
    // The chosen voice's token, or none.
    VoiceTokenPtr selectedToken() const;

private:
    void read(EditorRange range);
    // Reads on from the sentence start found from the word heard, within the text read aloud.
    void readOnFrom(int (*sentenceStart)(const QTextDocument&, int));
    void wordHeard(const WordEvent& event);
    void addVoices();
    void prepare(Voice& voice) const;
    void putRate(int rate);
    void putVolume(int volume);

    VoiceHolder& voice_;
    ReadingControls controls_;
    WordHighlight highlight_;
    std::function<void(int)> wordHeardHandler_;
    std::optional<int> continueFrom_;
    // What Read aloud took, which moving by sentences stays within.
    EditorRange readAloud_;
    int heard_ = -1;
    bool paused_ = false;
};

} // namespace speech
