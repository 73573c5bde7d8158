// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/DataFiles.h"
#include "app/EditorAppearance.h"
#include "app/EditorMenu.h"
#include "app/FileDialogTexts.h"
#include "app/MainMenu.h"
#include "app/PlatformServices.h"
#include "app/TFAbout.h"
#include "app/TFShortcut.h"
#include "app/TFVoiceLibrary.h"
#include "app/TrayMenu.h"
#include "documents/AddressBar.h"
#include "documents/AddressHistory.h"
#include "documents/BookLoader.h"
#include "documents/DocumentConverters.h"
#include "documents/DocumentOpener.h"
#include "documents/EditorLoader.h"
#include "documents/PageTextCopy.h"
#include "editor/DocumentSaver.h"
#include "editor/EditCommands.h"
#include "editor/FindDialog.h"
#include "editor/FindReplace.h"
#include "editor/FormatCommands.h"
#include "editor/Printing.h"
#include "editor/ReplaceDialog.h"
#include "formats/Registry.h"
#include "i18n/LanguageChoice.h"
#include "live/ClipboardSpeaking.h"
#include "live/KeyHookBridge.h"
#include "live/KeyHookFilter.h"
#include "live/KeySpeaking.h"
#include "live/KeySpeakOptions.h"
#include "live/OptionControls.h"
#include "platform/PasswordFocus.h"
#include "platform/ProgramFiles.h"
#include "platform/RemoteControl.h"
#include "platform/WebHelperBrowser.h"
#include "speech/InstallTTS.h"
#include "speech/ReadingControl.h"
#include "speech/ReadingResume.h"
#include "speech/VoiceHolder.h"
#include "speech/WavExport.h"

#include <functional>
#include <memory>
#include <QMainWindow>
#include <QSystemTrayIcon>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QSlider;
class QTextEdit;
class QToolButton;

// The main window: its controls under their own names, and handlers that pass the work on to
// the classes of each subsystem.
class TFmain : public QMainWindow {
    Q_OBJECT

public:
    explicit TFmain(PlatformServices& services, QWidget* parent = nullptr);
    ~TFmain() override;

public slots:
    void BtnOpenClick();
    void BtnPasteClick();
    void NSaveClick();
    void NExportClick();
    void NExportLineWavClick();
    void NPrintSetupClick();
    void NPrintClick();
    void NExitClick();
    void NUndoClick();
    void NRedoClick();
    void NcutClick();
    void NCopyClick();
    void NPasteClick();
    void NDeleteClick();
    void NSeleteAllClick();
    void RichEdit1Change();
    void NfindClick();
    void NReplaceClick();
    void FindDialog1Find();
    void ReplaceDialog1Find();
    void ReplaceDialog1Replace();
    void NDateTimeClick();
    void NWordWrapClick();
    void NFontClick();
    void NBackcolorClick();
    void NLeftClick();
    void NCenterClick();
    void NRightClick();
    void BtnAloudClick();
    void BtnPauseClick();
    void BtnStopClick();
    void NPrevSentenceClick();
    void NNextSentenceClick();
    void NSpeakKeyAllClick();
    void NspeakLetterDigitClick();
    void NspeakLetterClick();
    void NSpeakdigitClick();
    void NspeakClipBrdClick();
    void NshowKeyWordClick();
    void NshowclipBrdTextClick();
    void NDefaultRateClick();
    void NDefaultvolumeClick();
    void NVoiceLibraryClick();
    void NReadSelectionKeyClick();
    void NToolbarClick();
    void NAddressBarClick();
    void NProgressbarClick();
    void NPropertybarClick();
    void NEnglishClick(QAction* item);
    // The name, or nothing when no file of that language was found.
    QString ApplyLanguage(const QString& name);
    // The language asked for, else the one chosen in the menu, else the desktop's; the name of
    // the language applied, or nothing when the one asked for was not found.
    QString startInLanguage(const QString& asked, const QLocale& desktop);
    void NHelpClick();
    void NAboutClick();
    void CUrlKeyDown(int key);
    void CUrlSelect();
    void BtnGoClick();
    void GoToAddress();
    void WebBrowser1DocumentComplete();
    void cbVoicesChange();
    void FVoiceLibraryVoicesChanged();
    // Another program asked, over the session bus, for what is selected to be read.
    void RemoteReadSelection();
    void TBRateChange();
    void TBVolumeChange();
    void CBSpeakKeyAllClick();
    void CBSpeakletterdigitClick();
    void CBSpeakLetterClick();
    void CBSpeakdigitClick();
    void CBSpeakClipBrdClick();
    void CBShowKeyWordClick();
    void CBShowClipBrdTextClick();
    void TrayIcon1Click();
    void NHideShowClick();
    void NNNOpenClick();
    void NNSpeakKeyAllClick();
    void NNSpeakLetterDigitClick();
    void NNSpeakLetterClick();
    void NNSpeakdigitClick();
    void NNspeakClipBrdClick();
    void NNshowkeywordClick();
    void NNShowclipBrdTextClick();
    void NNExitClick();

signals:
    // The window has passed its close sequence; the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Handler = void (TFmain::*)();

    void createControls();
    QFrame* createToolBar();
    QFrame* createAddressBar();
    QFrame* createPropertyBar();
    void createCheckBoxes(QWidget* bar);
    void createTrayIcon();
    void connectHandlers();
    void connectMenus();
    void connectButtons();
    std::function<void()> guarded(Handler handler);
    std::function<void(const QString&)> titledMessage();
    const FileDialogTexts& forSystem(const FileDialogTexts& classic,
                                     const FileDialogTexts& newer) const;
    void hideToNotificationArea();
    void openChosenFile(const QString& chosen);
    bool mayReplace(QStringList files);
    void openAndRecord(const QString& path);
    void AddAddressHistory(const QString& entry);
    void showAgain();

    void TntFormCreate();
    bool TntFormCloseQuery();
    void TntFormClose();
    void TntFormDestroy();
    void SpVoice1AudioLevel(const speech::AudioLevelEvent& event);
    void WMKeyHook(std::uint32_t lParam);
    void WMDrawClipboard(quintptr wParam, qintptr lParam);
    void WMChangeCBChain(quintptr wParam, qintptr lParam);

    void setDateFormats();
    void acceptDroppedFiles();
    void installVoices();
    void startKeyboardHook();
    void createKeySpeaking();
    void createClipboardSpeaking();
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

    PlatformServices& services_;
    DataFiles dataFiles_;
    speech::VoiceHolder SpVoice1;

    QFrame* PToolBar = nullptr;
    QToolButton* BtnOpen = nullptr;
    QToolButton* BtnPaste = nullptr;
    QToolButton* BtnExport = nullptr;
    QToolButton* BtnAloud = nullptr;
    QToolButton* BtnPause = nullptr;
    QToolButton* BtnStop = nullptr;
    QToolButton* BtnHelp = nullptr;
    QToolButton* BtnAbout = nullptr;
    QFrame* PAddressBar = nullptr;
    QLabel* lblUrl = nullptr;
    QComboBox* CUrl = nullptr;
    QPushButton* BtnGo = nullptr;
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
    QCheckBox* CBSpeakKeyAll = nullptr;
    QCheckBox* CBSpeakletterdigit = nullptr;
    QCheckBox* CBSpeakLetter = nullptr;
    QCheckBox* CBSpeakdigit = nullptr;
    QCheckBox* CBSpeakClipBrd = nullptr;
    QCheckBox* CBShowKeyWord = nullptr;
    QCheckBox* CBShowClipBrdText = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    editor::FindDialog* FindDialog1 = nullptr;
    editor::ReplaceDialog* ReplaceDialog1 = nullptr;

    MainMenu menu_;
    EditorMenu editorMenu_;
    TrayMenu trayMenu_;
    QSystemTrayIcon* TrayIcon1 = nullptr;
    TFAbout FAbout;
    TFShortcut FShortcut;
    TFVoiceLibrary FVoiceLibrary;
    platform::PasswordFocus passwordFocus_;
    std::unique_ptr<platform::RemoteControl> remote_;
    WindowFileDialogs fileDialogs_{this};
    std::unique_ptr<i18n::LanguageChoice> language_;
    bool hiddenMaximized_ = false;

    std::unique_ptr<EditorAppearance> appearance_;
    std::unique_ptr<documents::EditorLoader> loader_;
    std::unique_ptr<documents::BookLoader> books_;
    std::unique_ptr<documents::DocumentConverters> converters_;
    platform::WebHelperBrowser WebBrowser1{
        platform::ProgramFiles::ofRunningProgram().webHelperPath()};
    std::unique_ptr<documents::DocumentOpener> opener_;
    std::unique_ptr<documents::AddressHistory> history_;
    std::unique_ptr<documents::AddressBar> addressBar_;
    std::unique_ptr<documents::PageTextCopy> pageTextCopy_;
    std::unique_ptr<editor::EditCommands> editCommands_;
    std::unique_ptr<editor::FormatCommands> formatCommands_;
    std::unique_ptr<editor::FindReplace> findReplace_;
    std::unique_ptr<editor::DocumentSaver> saver_;
    std::unique_ptr<editor::Printing> printing_;
    std::unique_ptr<formats::Registry> registry_;
    std::unique_ptr<speech::InstallTTS> voiceInstaller_;
    std::unique_ptr<speech::ReadingControl> reading_;
    std::unique_ptr<speech::ReadingResume> resume_;
    std::unique_ptr<speech::WavExport> wavExport_;
    std::unique_ptr<live::KeySpeaking> keySpeaking_;
    std::unique_ptr<live::SelectionShortcut> selectionShortcut_;
    std::unique_ptr<live::KeySpeakOptions> keySpeakOptions_;
    live::KeyHookBridge keyHook_;
    std::unique_ptr<live::KeyHookFilter> keyHookFilter_;
    std::unique_ptr<live::OptionControls> speakClipboardOption_;
    std::unique_ptr<live::OptionControls> showClipboardOption_;
    std::unique_ptr<live::ClipboardSpeaking> clipboardSpeaking_;
};
