// SPDX-License-Identifier: GPL-3.0-or-later

#include "speech/ReadingControl.h"

#include "speech/EditorText.h"
#include "speech/Sentences.h"

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QTextEdit>

namespace speech {

namespace {

VoiceTokenPtr tokenAt(const QComboBox& box, int index)
{
    return box.itemData(index).value<VoiceTokenPtr>();
}

// The label grows with its number, as "-10" and "100" need more room than "0".
void showNumber(QLabel& label, int value)
{
    label.setText(QString::number(value));
    label.adjustSize();
}

} // namespace

ReadingControl::ReadingControl(VoiceHolder& voice, ReadingControls controls)
    : voice_(voice)
    , controls_(controls)
    , highlight_(controls.editor)
{
    voice_.SetConnectHook([this](Voice& fresh) { prepare(fresh); });
    voice_.SetReleaseHook([this] { highlight_.clear(); });
    voice_.SetWordHandler([this](const WordEvent& event) { wordHeard(event); });
    voice_.SetEndStreamHandler([this](long stream) { highlight_.streamEnded(stream); });
}

ReadingControl::~ReadingControl()
{
    voice_.SetConnectHook({});
    voice_.SetReleaseHook({});
    voice_.SetWordHandler({});
    voice_.SetEndStreamHandler({});
}

void ReadingControl::prepare(Voice& voice) const
{
    if (const int selected = selectedVoice(); selected >= 0)
        voice.SetVoice(tokenAt(controls_.voices, selected));
    voice.SetRate(controls_.rate.value());
    voice.SetVolume(controls_.volume.value());
    voice.SetEventInterests(Voice::AllEventInterests);
}

int ReadingControl::selectedVoice() const
{
    const QComboBox& box = controls_.voices;
    const int current = box.currentIndex();
    if (current >= 0 && box.itemText(current) == box.currentText())
        return current;
    return box.findText(box.currentText(), Qt::MatchExactly);
}

VoiceTokenPtr ReadingControl::selectedToken() const
{
    const int selected = selectedVoice();
    return selected < 0 ? nullptr : tokenAt(controls_.voices, selected);
}

void ReadingControl::addVoices()
{
    for (const VoiceTokenPtr& token : voice_->GetVoices({}, {}))
        controls_.voices.addItem(token->GetDescription(0), QVariant::fromValue(token));
}

void ReadingControl::fillVoiceList(int savedEngine)
{
    QComboBox& box = controls_.voices;
    {
        // Filling and selecting is not the user's choice; the handler runs once afterwards.
        const QSignalBlocker quiet(box);
        addVoices();
        if (box.count() == 0)
            return;
        const bool named = savedEngine >= 0 && !box.itemText(savedEngine).isEmpty();
        box.setCurrentIndex(named ? savedEngine : 0);
    }
    voiceChosen();
}

void ReadingControl::reloadVoiceList(SpeechEngine& engine)
{
    QComboBox& box = controls_.voices;
    const VoiceTokenPtr chosen = selectedToken();
    const QString typed = box.currentText();
    engine.ReloadVoices();
    {
        const QSignalBlocker quiet(box);
        box.clear();
        addVoices();
        const auto indexOf = [&](const VoiceTokenPtr& token) {
            for (int index = 0; index < box.count(); ++index)
                if (tokenAt(box, index)->Id() == token->Id())
                    return index;
            return -1;
        };
        if (!chosen) {
            box.setCurrentIndex(-1);
            box.setEditText(typed);
            return;
        }
        const int kept = indexOf(chosen);
        box.setCurrentIndex(kept >= 0 ? kept : indexOf(engine.StandInFor(chosen)));
    }
    voiceChosen();
}

void ReadingControl::applyRateAndVolume(int rate, int volume)
{
    putRate(rate);
    putVolume(volume);
}

void ReadingControl::putRate(int rate)
{
    voice_->SetRate(rate);
    controls_.rate.setValue(voice_->Rate());
    showNumber(controls_.rateLabel, controls_.rate.value());
}

void ReadingControl::putVolume(int volume)
{
    voice_->SetVolume(volume);
    controls_.volume.setValue(voice_->Volume());
    showNumber(controls_.volumeLabel, controls_.volume.value());
}

// Failures are dropped: reading aloud never shows a message.
void ReadingControl::readAloud()
{
    EditorRange range = selectionOrWholeRange(controls_.editor);
    const QTextCursor caret = controls_.editor.textCursor();
    if (!caret.hasSelection() && caret.position() == continueFrom_)
        range.from = std::min(*continueFrom_, range.to);
    readAloud_ = range;
    read(range);
}

void ReadingControl::continueFrom(std::optional<int> position)
{
    continueFrom_ = position;
}

void ReadingControl::previousSentence()
{
    readOnFrom(previousSentenceStart);
}

void ReadingControl::nextSentence()
{
    readOnFrom(nextSentenceStart);
}

void ReadingControl::readOnFrom(int (*sentenceStart)(const QTextDocument&, int))
{
    if (!highlight_.followed())
        return;
    const int start = sentenceStart(*controls_.editor.document(), heard_);
    if (start >= readAloud_.from && start < readAloud_.to)
        read({start, readAloud_.to});
    else if (start >= 0 && start < readAloud_.from)
        read(readAloud_);
}

void ReadingControl::setWordHeardHandler(std::function<void(int)> handler)
{
    wordHeardHandler_ = std::move(handler);
}

void ReadingControl::wordHeard(const WordEvent& event)
{
    const std::optional<int> position = highlight_.wordHeard(event);
    if (!position)
        return;
    heard_ = *position;
    if (wordHeardHandler_)
        wordHeardHandler_(heard_);
}

void ReadingControl::read(EditorRange range)
{
    heard_ = range.from;
    auto read = std::make_shared<QString>();
    const DeferredText text = sharingWhatIsTaken(textToRead(controls_.editor, range), read);
    paused_ = false;
    try {
        voice_.Release();
        const int selected = selectedVoice();
        if (selected < 0)
            return;
        voice_->SetVoice(tokenAt(controls_.voices, selected));
        const long stream = voice_->Speak(text, Voice::SpeakAsync);
        highlight_.follow(stream, range, std::move(read));
    } catch (const std::exception&) {
    }
}

void ReadingControl::pauseOrResume()
{
    try {
        if (paused_)
            voice_->Resume();
        else
            voice_->Pause();
        paused_ = !paused_;
    } catch (const std::exception&) {
    }
}

void ReadingControl::stop()
{
    paused_ = false;
    try {
        voice_.Release();
    } catch (const std::exception&) {
    }
}

void ReadingControl::defaultRate()
{
    putRate(DefaultRate);
}

void ReadingControl::defaultVolume()
{
    putVolume(DefaultVolume);
}

// An export in progress keeps the voice, rate and volume it began with; the next reading takes
// the ones chosen meanwhile.
void ReadingControl::voiceChosen()
{
    if (voice_.IsExporting())
        return;
    if (const int selected = selectedVoice(); selected >= 0)
        voice_->SetVoice(tokenAt(controls_.voices, selected));
}

void ReadingControl::rateMoved()
{
    if (!voice_.IsExporting())
        voice_->SetRate(controls_.rate.value());
    showNumber(controls_.rateLabel, controls_.rate.value());
}

void ReadingControl::volumeMoved()
{
    if (!voice_.IsExporting())
        voice_->SetVolume(controls_.volume.value());
    showNumber(controls_.volumeLabel, controls_.volume.value());
}

void ReadingControl::audioLevel(const AudioLevelEvent& event)
{
    QProgressBar& bar = controls_.progress;
    bar.setValue(std::clamp(event.level, bar.minimum(), bar.maximum()));
}

} // namespace speech
