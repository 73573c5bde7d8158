#pragma once

#include "app/PlatformServices.h"
#include "speech/ReadingControl.h"
#include "speech/VoiceHolder.h"

#include <functional>
#include <memory>
#include <QMainWindow>

class QComboBox;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QSlider;
class QTextEdit;

struct StoredSettings;

// The main window: its controls under their own names, and handlers that pass the work on to
// the classes of each subsystem.
class TFmain : public QMainWindow {
    Q_OBJECT

public:
    explicit TFmain(PlatformServices& services, QWidget* parent = nullptr);
    ~TFmain() override;

public slots:
    void BtnAloudClick();
    void BtnPauseClick();
    void BtnStopClick();
    void NDefaultRateClick();
    void NDefaultvolumeClick();
    void cbVoicesChange();
    void TBRateChange();
    void TBVolumeChange();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    QFrame* createToolBar();
    QFrame* createPropertyBar();
    void connectHandlers();
    std::function<void()> guarded(void (TFmain::*handler)());

    void TntFormCreate();
    bool TntFormCloseQuery();
    void TntFormClose();
    void TntFormDestroy();
    void SpVoice1AudioLevel(const speech::AudioLevelEvent& event);

    void setDateFormats();
    StoredSettings readSettings() const;
    void acceptDroppedFiles();
    void installVoices();
    void startKeyboardHook();
    void applyBars(const StoredSettings& settings);
    void applyLiveSpeaking(const StoredSettings& settings);
    void applyEditorSettings(const StoredSettings& settings);
    void joinClipboardChain();
    void loadAddressHistory();
    void leaveClipboardChain();
    void stopKeyboardHook();
    void removeVoices();
    void writeSettings();
    void saveAddressHistory();
    void hideTrayIcon();

    PlatformServices& services_;
    speech::VoiceHolder SpVoice1;

    QFrame* PToolBar = nullptr;
    QPushButton* BtnAloud = nullptr;
    QPushButton* BtnPause = nullptr;
    QPushButton* BtnStop = nullptr;
    QFrame* Panel1 = nullptr;
    QTextEdit* RichEdit1 = nullptr;
    QFrame* PPropertyBar = nullptr;
    QLabel* lblengine = nullptr;
    QComboBox* cbVoices = nullptr;
    QLabel* lblRate1 = nullptr;
    QSlider* TBRate = nullptr;
    QLabel* lblRate = nullptr;
    QLabel* lblMinSpeed = nullptr;
    QLabel* lblMaxSpeed = nullptr;
    QLabel* lblVolume1 = nullptr;
    QSlider* TBVolume = nullptr;
    QLabel* lblVolume = nullptr;
    QLabel* lblMinVolume = nullptr;
    QLabel* TntLabel4 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;

    std::unique_ptr<speech::ReadingControl> reading_;
};
