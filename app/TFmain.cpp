// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/TFmain.h"

#include "app/ExportProgress.h"
#include "app/GetPath.h"
#include "app/HelpText.h"
#include "app/StoredSettings.h"
#include "documents/DocumentTypes.h"
#include "engine/neural/NeuralVoices.h"
#include "live/SpeakAtOnce.h"
#include "platform/ClipboardText.h"
#include "platform/DateFormats.h"
#include "platform/Ole.h"
#include "platform/ProgramFiles.h"
#include "voices/InstalledVoices.h"

#include <algorithm>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QWindowStateChangeEvent>

namespace {

constexpr int SkipWholeText = 2147483647;
using KeyMode = live::KeySpeakOptions::Mode;
using KeyMenu = live::KeySpeakOptions::Menu;

} // namespace

TFmain::TFmain(PlatformServices& services, QWidget* parent)
    : QMainWindow(parent)
    , services_(services)
    , dataFiles_([this](const QString& error) { services_.messageBoxes.showError(error); })
    , SpVoice1(services.speechEngine)
    , menu_(*this)
    , editorMenu_(*this)
    , trayMenu_(*this)
    , FVoiceLibrary(VoiceLibrarySetup{engine::userNeuralVoicesFolder(),
                                      platform::ProgramFiles::ofRunningProgram().neuralHelperPath(),
                                      services.fileDialogs, services.messageBoxes})
    , passwordFocus_(this)
{
    setObjectName(QStringLiteral("Fmain"));
    setWindowTitle(QApplication::applicationName());
    createControls();
    appearance_ = std::make_unique<EditorAppearance>(*RichEdit1);
    loader_ = std::make_unique<documents::EditorLoader>(*RichEdit1);
    converters_ = std::make_unique<documents::DocumentConverters>(
        *loader_, documents::ConverterSetup{[] { return GetDataPath(); }, GetSystemPath()},
        titledMessage());
    books_ = std::make_unique<documents::BookLoader>(*RichEdit1);
    opener_ =
        std::make_unique<documents::DocumentOpener>(*loader_, *books_, *converters_, WebBrowser1);
    history_ = std::make_unique<documents::AddressHistory>(*CUrl);
    addressBar_ = std::make_unique<documents::AddressBar>(
        *CUrl, *opener_, WebBrowser1, [this](const QString& entry) { AddAddressHistory(entry); });
    pageTextCopy_ = std::make_unique<documents::PageTextCopy>(WebBrowser1, *RichEdit1);
    editCommands_ = std::make_unique<editor::EditCommands>(*RichEdit1, *menu_.NUndo, *menu_.NRedo);
    formatCommands_ =
        std::make_unique<editor::FormatCommands>(*RichEdit1, *appearance_, services_.editorDialogs);
    findReplace_ = std::make_unique<editor::FindReplace>(
        *RichEdit1, [this](const QString& caption, const QString& text) {
            services_.messageBoxes.showMessage(caption, text);
        });
    saver_ = std::make_unique<editor::DocumentSaver>(*RichEdit1, *loader_);
    language_ = std::make_unique<i18n::LanguageChoice>(
        QList<QWidget*>{this, &FAbout, &FVoiceLibrary, &FShortcut, FindDialog1, ReplaceDialog1},
        platform::ProgramFiles::ofRunningProgram().dataFolder());
    menu_.fillLanguageMenu(*this, language_->availableLanguages());
    language_->showIn(menu_.languageItems);
    printing_ =
        std::make_unique<editor::Printing>(*RichEdit1, services_.editorDialogs, titledMessage());
    WebBrowser1.setDocumentCompleteHandler([this] { WebBrowser1DocumentComplete(); });
    WebBrowser1.setFailureHandler(
        [this](const QString& reason) { services_.messageBoxes.showError(reason); });
    createTrayIcon();
    reading_ = std::make_unique<speech::ReadingControl>(
        SpVoice1, speech::ReadingControls{*RichEdit1, *cbVoices, *TBRate, *lblRate, *TBVolume,
                                          *lblVolume, *ProgressBar1});
    resume_ = std::make_unique<speech::ReadingResume>(*RichEdit1, *reading_,
                                                      dataFiles_.readingPositions());
    opener_->setTextLoadedHandler([this](const QString& path) { resume_->opened(path); });
    wavExport_ = std::make_unique<speech::WavExport>(SpVoice1, services_.speechEngine, *reading_,
                                                     *RichEdit1);
    SpVoice1.SetAudioLevelHandler([this](const speech::AudioLevelEvent& event) {
        services_.messageBoxes.reportErrorsOf([&] { SpVoice1AudioLevel(event); });
    });
    createKeySpeaking();
    createClipboardSpeaking();
    connectHandlers();
    RichEdit1->setFocus();
    services_.messageBoxes.reportErrorsOf([this] { TntFormCreate(); });
}

TFmain::~TFmain()
{
    services_.messageBoxes.reportErrorsOf([this] { TntFormDestroy(); });
    // The address box outlives this part of the window and reports the loss of its focus.
    CUrl->disconnect(this);
}

bool TFmain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == CUrl && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        services_.messageBoxes.reportErrorsOf([&] { CUrlKeyDown(key); });
        // The combo box would take Enter once more as a choice from its list.
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFmain::TntFormCreate()
{
    setDateFormats();
    const StoredSettings settings = dataFiles_.readSettings(appearance_->wordWrap() ? 1 : 0);
    acceptDroppedFiles();
    installVoices();
    SpVoice1->SetEventInterests(speech::Voice::AllEventInterests);
    reading_->fillVoiceList(settings.engine);
    reading_->applyRateAndVolume(settings.rate, settings.volume);
    startKeyboardHook();
    applyBars(settings);
    applyLiveSpeaking(settings);
    applyEditorSettings(settings);
    language_->setChosen(settings.language);
    selectionShortcut_->restore(settings.readSelectionKey, FShortcut.windowTitle());
    dataFiles_.settingsApplied();
    joinClipboardChain();
    loadAddressHistory();
    platform::OleInitialize();
}

// The close is never refused; any speech stops before the window goes.
bool TFmain::TntFormCloseQuery()
{
    SpVoice1.Release();
    return true;
}

void TFmain::TntFormClose()
{
    // Nothing from outside starts speech while the window goes.
    remote_.reset();
    platform::OleUninitialize();
    leaveClipboardChain();
    try {
        SpVoice1->Skip(QStringLiteral("Sentence"), SkipWholeText);
    } catch (const std::exception&) {
        return;
    }
    stopKeyboardHook();
}

// An error box shown from here runs an event loop; the tray must not reach a window going away.
void TFmain::TntFormDestroy()
{
    trayMenu_.PMBar->setEnabled(false);
    TrayIcon1->blockSignals(true);
    removeVoices();
    writeSettings();
    saveAddressHistory();
    // Where reading stopped is a help, not the user's work: a file that cannot be written keeps
    // the positions it had, without an error box at exit.
    resume_->save();
    TrayIcon1->hide();
}

void TFmain::closeEvent(QCloseEvent* event)
{
    if (!TntFormCloseQuery()) {
        event->ignore();
        return;
    }
    TntFormClose();
    event->accept();
    emit closed();
}

void TFmain::setDateFormats()
{
    processDateFormats() = {QStringLiteral("-"), QStringLiteral("yyyy-mm-dd"),
                            QStringLiteral("yyyy-mm-dd")};
}

// Files dropped anywhere on the window, the editor included, are opened; the editor takes no
// drops of its own.
void TFmain::acceptDroppedFiles()
{
    RichEdit1->setAcceptDrops(false);
    setAcceptDrops(true);
}

void TFmain::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

// Each local file in the order given, in the case given; an error ends the drop. Voice archives
// and folders are installed instead.
void TFmain::dropEvent(QDropEvent* event)
{
    event->acceptProposedAction();
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        // The program the file came from waits for the drop to end, not for the installation.
        if (voices::isVoiceSource(path)) {
            QMetaObject::invokeMethod(
                this, [this, path] { FVoiceLibrary.install(this, path); }, Qt::QueuedConnection);
            continue;
        }
        if (!services_.messageBoxes.reportErrorsOf([&] { openAndRecord(path); }))
            break;
    }
}

// A message box under the application's title.
std::function<void(const QString&)> TFmain::titledMessage()
{
    return [this](const QString& text) {
        services_.messageBoxes.showMessage(QApplication::applicationName(), text);
    };
}

// The newer dialogs came with major version 6.
const FileDialogTexts& TFmain::forSystem(const FileDialogTexts& classic,
                                         const FileDialogTexts& newer) const
{
    return services_.osMajorVersion == 6 ? newer : classic;
}

void TFmain::BtnOpenClick()
{
    openChosenFile(services_.fileDialogs.chooseFileToOpen(
        this, forSystem(*fileDialogs_.OpenDialog1, *fileDialogs_.FileOpenDialog1)));
}

// Works while the window is hidden, and leaves it so.
void TFmain::NNNOpenClick()
{
    openChosenFile(services_.fileDialogs.chooseFileToOpen(nullptr, *fileDialogs_.OpenDialog1));
}

// One export at a time: the window answers commands while it runs.
void TFmain::NExportClick()
{
    if (SpVoice1.IsExporting())
        return;
    const ExportChoice chosen = services_.fileDialogs.chooseExportFile(
        this, forSystem(*fileDialogs_.SaveDialogWav, *fileDialogs_.FileSaveDialogWav),
        fileDialogs_.ExportByChapter->caption, fileDialogs_.ExportSubtitles->caption);
    const QString path = documents::pathAsChosen(chosen.path);
    if (path.isEmpty() || !mayReplace(wavExport_->filesReplacedBesides(path, chosen.options)))
        return;
    ExportProgress progress(*ProgressBar1);
    wavExport_->exportText(path, progress, chosen.options);
}

// The dialog asked about the chosen file only; at most ten others are named.
bool TFmain::mayReplace(QStringList files)
{
    constexpr qsizetype MostNamed = 10;
    if (files.isEmpty())
        return true;
    if (files.size() > MostNamed)
        files = files.first(MostNamed) << QStringLiteral("…");
    return services_.messageBoxes.askYesNo(this, fileDialogs_.ExportReplaces->caption +
                                                     QStringLiteral("\n\n") + files.join(u'\n'));
}

void TFmain::NExportLineWavClick()
{
    if (SpVoice1.IsExporting())
        return;
    const QString folder =
        services_.fileDialogs.chooseFolder(this, QStringLiteral("请选择WAV文件保存目录:"));
    if (folder.isEmpty())
        return;
    ExportProgress progress(*ProgressBar1);
    if (wavExport_->exportLines(folder, progress))
        services_.openFolder(folder);
}

void TFmain::openChosenFile(const QString& chosen)
{
    if (!chosen.isEmpty())
        openAndRecord(documents::pathAsChosen(chosen));
}

void TFmain::openAndRecord(const QString& path)
{
    if (!opener_->OpenDocumentFile(path))
        return;
    CUrl->setEditText(path);
    AddAddressHistory(path);
}

void TFmain::AddAddressHistory(const QString& entry)
{
    history_->add(entry);
}

// Systems of major version 5 had the two voices entered while the program runs.
void TFmain::installVoices()
{
    if (services_.osMajorVersion != 5)
        return;
    registry_ =
        std::make_unique<formats::Registry>(GetDataPath() + QStringLiteral("registry.json"));
    voiceInstaller_ = std::make_unique<speech::InstallTTS>(
        *registry_, platform::ProgramFiles::ofRunningProgram().dataFolder(), QString());
    voiceInstaller_->installVoices();
}

void TFmain::startKeyboardHook()
{
    keyHook_.Start(static_cast<std::uint32_t>(winId()));
    if (!live::KeyHookBridge::keysCanBeHeard())
        keySpeakOptions_->noteKeysAreNotHeard();
}

void TFmain::applyBars(const StoredSettings& settings)
{
    const std::tuple<QAction*, QWidget*, bool> bars[] = {
        {menu_.NToolbar, PToolBar, settings.toolBar},
        {menu_.NAddressBar, PAddressBar, settings.addressBar},
        {menu_.NProgressbar, ProgressBar1, settings.progressBar},
        {menu_.NPropertybar, PPropertyBar, settings.propertyBar},
    };
    for (const auto& [item, bar, shown] : bars) {
        item->setChecked(shown);
        bar->setVisible(shown);
    }
}

// Values are compared exactly; one in other letter case, or unknown, changes nothing.
void TFmain::applyLiveSpeaking(const StoredSettings& settings)
{
    const std::tuple<QString, QCheckBox*, QAction*, QAction*> modes[] = {
        {QStringLiteral("All"), CBSpeakKeyAll, menu_.NSpeakKeyAll, trayMenu_.NNSpeakKeyAll},
        {QStringLiteral("LetterDigit"), CBSpeakletterdigit, menu_.NspeakLetterDigit,
         trayMenu_.NNSpeakLetterDigit},
        {QStringLiteral("Letter"), CBSpeakLetter, menu_.NspeakLetter, trayMenu_.NNSpeakLetter},
        {QStringLiteral("Digit"), CBSpeakdigit, menu_.NSpeakdigit, trayMenu_.NNSpeakdigit},
    };
    const bool none = settings.speakKey == QLatin1String("None");
    const bool known =
        none || std::any_of(std::begin(modes), std::end(modes), [&](const auto& mode) {
            return std::get<0>(mode) == settings.speakKey;
        });
    if (known) {
        for (const auto& [value, box, item, trayItem] : modes) {
            const bool chosen = value == settings.speakKey;
            box->setChecked(chosen);
            item->setChecked(chosen);
            trayItem->setChecked(chosen);
        }
    }
    const std::tuple<const QString&, QCheckBox*, QAction*, QAction*> options[] = {
        {settings.showKeyWord, CBShowKeyWord, menu_.NshowKeyWord, trayMenu_.NNshowkeyword},
        {settings.showClipBrdText, CBShowClipBrdText, menu_.NshowclipBrdText,
         trayMenu_.NNShowclipBrdText},
        {settings.speakClipBrd, CBSpeakClipBrd, menu_.NspeakClipBrd, trayMenu_.NNspeakClipBrd},
    };
    for (const auto& [value, box, item, trayItem] : options) {
        if (value != QLatin1String("Yes") && value != QLatin1String("No"))
            continue;
        const bool on = value == QLatin1String("Yes");
        box->setChecked(on);
        item->setChecked(on);
        trayItem->setChecked(on);
    }
}

void TFmain::applyEditorSettings(const StoredSettings& settings)
{
    if (!settings.font.isEmpty())
        appearance_->applyFontText(settings.font);
    appearance_->setBackground(static_cast<std::uint32_t>(settings.color));
    appearance_->setWordWrap(settings.wordWrap != 0);
    menu_.NWordWrap->setChecked(appearance_->wordWrap());
}

void TFmain::joinClipboardChain()
{
    clipboardSpeaking_->join(winId(), [this](unsigned message, quintptr wParam, qintptr lParam) {
        services_.messageBoxes.reportErrorsOf([&] {
            if (message == platform::WM_DRAWCLIPBOARD)
                WMDrawClipboard(wParam, lParam);
            else if (message == platform::WM_CHANGECBCHAIN)
                WMChangeCBChain(wParam, lParam);
        });
    });
}

void TFmain::loadAddressHistory()
{
    if (const std::optional<QStringList> history = dataFiles_.readHistory())
        history_->replace(*history);
    dataFiles_.historyApplied();
}

void TFmain::leaveClipboardChain()
{
    clipboardSpeaking_->leave();
}

void TFmain::stopKeyboardHook()
{
    keyHook_.Stop();
}

// Before the boxes are connected: the settings check them, which runs their handlers.
void TFmain::createKeySpeaking()
{
    const live::KeySpeakBoxes boxes{*CBSpeakKeyAll, *CBSpeakletterdigit, *CBSpeakLetter,
                                    *CBSpeakdigit, *CBShowKeyWord};
    keySpeaking_ = std::make_unique<live::KeySpeaking>(
        SpVoice1, boxes, *RichEdit1, [this] { return passwordFocus_.isPasswordFocused(); });
    passwordFocus_.start();
    keySpeakOptions_ = std::make_unique<live::KeySpeakOptions>(
        boxes,
        live::KeySpeakItems{*menu_.NSpeakKeyAll, *menu_.NspeakLetterDigit, *menu_.NspeakLetter,
                            *menu_.NSpeakdigit, *menu_.NshowKeyWord},
        live::KeySpeakItems{*trayMenu_.NNSpeakKeyAll, *trayMenu_.NNSpeakLetterDigit,
                            *trayMenu_.NNSpeakLetter, *trayMenu_.NNSpeakdigit,
                            *trayMenu_.NNshowkeyword});
    selectionShortcut_ = std::make_unique<live::SelectionShortcut>(
        live::KeyHookBridge::keysCanBeHeard(), guarded(&TFmain::RemoteReadSelection));
    keyHookFilter_ = std::make_unique<live::KeyHookFilter>([this](std::uint32_t lParam) {
        services_.messageBoxes.reportErrorsOf([&] { WMKeyHook(lParam); });
    });
}

// Before the boxes are connected, as for the keys.
void TFmain::createClipboardSpeaking()
{
    speakClipboardOption_ = std::make_unique<live::OptionControls>(
        *CBSpeakClipBrd, *menu_.NspeakClipBrd, *trayMenu_.NNspeakClipBrd);
    showClipboardOption_ = std::make_unique<live::OptionControls>(
        *CBShowClipBrdText, *menu_.NshowclipBrdText, *trayMenu_.NNShowclipBrdText);
    clipboardSpeaking_ = std::make_unique<live::ClipboardSpeaking>(
        SpVoice1, live::ClipboardBoxes{*CBSpeakClipBrd, *CBShowClipBrdText}, *RichEdit1,
        platform::ClipboardViewerChain::desktop());
}

void TFmain::WMDrawClipboard(quintptr wParam, qintptr lParam)
{
    clipboardSpeaking_->drawClipboard(wParam, lParam);
}

void TFmain::WMChangeCBChain(quintptr wParam, qintptr lParam)
{
    clipboardSpeaking_->changeChain(wParam, lParam);
}

void TFmain::WMKeyHook(std::uint32_t lParam)
{
    if (selectionShortcut_->keyMessage(lParam))
        keySpeaking_->keyMessage(lParam);
}

void TFmain::removeVoices()
{
    if (voiceInstaller_)
        voiceInstaller_->removeVoices();
}

void TFmain::writeSettings()
{
    SettingsAtExit settings;
    settings.rate = TBRate->value();
    settings.volume = TBVolume->value();
    settings.color = static_cast<int>(appearance_->background());
    settings.font = appearance_->fontText();
    settings.wordWrap = appearance_->wordWrap() ? 1 : 0;
    settings.toolBar = !PToolBar->isHidden();
    settings.addressBar = !PAddressBar->isHidden();
    settings.progressBar = !ProgressBar1->isHidden();
    settings.propertyBar = !PPropertyBar->isHidden();
    settings.speakKeyAll = CBSpeakKeyAll->isChecked();
    settings.speakLetterDigit = CBSpeakletterdigit->isChecked();
    settings.speakLetter = CBSpeakLetter->isChecked();
    settings.speakDigit = CBSpeakdigit->isChecked();
    settings.showKeyWord = CBShowKeyWord->isChecked();
    settings.speakClipBrd = CBSpeakClipBrd->isChecked();
    settings.showClipBrdText = CBShowClipBrdText->isChecked();
    settings.engine = reading_->selectedVoice();
    settings.language = language_->chosen();
    settings.readSelectionKey = selectionShortcut_->stored();
    dataFiles_.writeSettings(settings);
}

void TFmain::saveAddressHistory()
{
    dataFiles_.writeHistory(history_->entries());
}

void TFmain::BtnAloudClick()
{
    reading_->readAloud();
}

void TFmain::BtnPauseClick()
{
    reading_->pauseOrResume();
}

void TFmain::BtnStopClick()
{
    reading_->stop();
}

void TFmain::NPrevSentenceClick()
{
    reading_->previousSentence();
}

void TFmain::NNextSentenceClick()
{
    reading_->nextSentence();
}

void TFmain::NDefaultRateClick()
{
    reading_->defaultRate();
}

void TFmain::NDefaultvolumeClick()
{
    reading_->defaultVolume();
}

void TFmain::cbVoicesChange()
{
    reading_->voiceChosen();
}

void TFmain::TBRateChange()
{
    reading_->rateMoved();
}

void TFmain::TBVolumeChange()
{
    reading_->volumeMoved();
}

void TFmain::SpVoice1AudioLevel(const speech::AudioLevelEvent& event)
{
    reading_->audioLevel(event);
}

void TFmain::NToolbarClick()
{
    // The item has already turned its check mark over; the bar follows it.
    PToolBar->setVisible(menu_.NToolbar->isChecked());
}

void TFmain::NAddressBarClick()
{
    PAddressBar->setVisible(menu_.NAddressBar->isChecked());
}

void TFmain::NProgressbarClick()
{
    ProgressBar1->setVisible(menu_.NProgressbar->isChecked());
}

void TFmain::NPropertybarClick()
{
    PPropertyBar->setVisible(menu_.NPropertybar->isChecked());
}

// Minimising hides the window to the notification area, where the icon brings it back. Without
// a notification area it would be out of reach, so it is only minimised.
void TFmain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !isMinimized() ||
        !services_.notificationAreaAvailable())
        return;
    const auto* change = static_cast<QWindowStateChangeEvent*>(event);
    hiddenMaximized_ = change->oldState().testFlag(Qt::WindowMaximized);
    QTimer::singleShot(0, this, &TFmain::hideToNotificationArea);
}

void TFmain::hideToNotificationArea()
{
    if (isMinimized())
        hide();
}

// A window still on screen keeps its state; one that was hidden comes back as it was.
void TFmain::showAgain()
{
    if (isHidden())
        setWindowState(hiddenMaximized_ ? Qt::WindowMaximized : Qt::WindowNoState);
    else
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void TFmain::TrayIcon1Click()
{
    showAgain();
}

void TFmain::NHideShowClick()
{
    showAgain();
}

void TFmain::NHelpClick()
{
    services_.messageBoxes.showMessage(helpCaption(), helpText());
}

void TFmain::NAboutClick()
{
    FAbout.showModal();
}

void TFmain::NVoiceLibraryClick()
{
    FVoiceLibrary.showModal();
}

void TFmain::NReadSelectionKeyClick()
{
    FShortcut.edit(*selectionShortcut_);
}

void TFmain::FVoiceLibraryVoicesChanged()
{
    reading_->reloadVoiceList(services_.speechEngine);
}

void TFmain::RemoteReadSelection()
{
    live::speakAtOnce(SpVoice1, platform::selectionOrClipboardText());
}

void TFmain::NExitClick()
{
    close();
}

void TFmain::NNExitClick()
{
    close();
}

void TFmain::BtnPasteClick()
{
    NPasteClick();
}

void TFmain::NSaveClick()
{
    saver_->save(services_.fileDialogs.chooseFileToSave(
        this, forSystem(*fileDialogs_.SaveDialogTxt, *fileDialogs_.FileSaveDialogTxt)));
}

void TFmain::NPrintSetupClick()
{
    printing_->setUp();
}

void TFmain::NPrintClick()
{
    printing_->print();
}

void TFmain::NUndoClick()
{
    editCommands_->undo();
}

void TFmain::NRedoClick()
{
    editCommands_->redo();
}

void TFmain::NcutClick()
{
    editCommands_->cut();
}

void TFmain::NCopyClick()
{
    editCommands_->copy();
}

void TFmain::NPasteClick()
{
    editCommands_->paste();
}

void TFmain::NDeleteClick()
{
    editCommands_->deleteSelection();
}

void TFmain::NSeleteAllClick()
{
    editCommands_->selectAll();
}

void TFmain::RichEdit1Change()
{
    editCommands_->textChanged();
}

void TFmain::NfindClick()
{
    FindDialog1->execute();
}

void TFmain::NReplaceClick()
{
    ReplaceDialog1->execute();
}

void TFmain::FindDialog1Find()
{
    findReplace_->findNext(FindDialog1->searchRequest());
}

void TFmain::ReplaceDialog1Find()
{
    findReplace_->findNext(ReplaceDialog1->searchRequest());
}

void TFmain::ReplaceDialog1Replace()
{
    findReplace_->replace(ReplaceDialog1->request());
}

void TFmain::NDateTimeClick()
{
    editCommands_->appendDateTime(QDateTime::currentDateTime());
}

void TFmain::NWordWrapClick()
{
    appearance_->setWordWrap(menu_.NWordWrap->isChecked());
}

void TFmain::NFontClick()
{
    formatCommands_->chooseFont();
}

void TFmain::NBackcolorClick()
{
    formatCommands_->chooseBackground();
}

void TFmain::NLeftClick()
{
    formatCommands_->align(Qt::AlignLeft);
}

void TFmain::NCenterClick()
{
    formatCommands_->align(Qt::AlignHCenter);
}

void TFmain::NRightClick()
{
    formatCommands_->align(Qt::AlignRight);
}

void TFmain::NSpeakKeyAllClick()
{
    keySpeakOptions_->modeItemTriggered(KeyMenu::Main, KeyMode::All);
}

void TFmain::NspeakLetterDigitClick()
{
    keySpeakOptions_->modeItemTriggered(KeyMenu::Main, KeyMode::LetterDigit);
}

void TFmain::NspeakLetterClick()
{
    keySpeakOptions_->modeItemTriggered(KeyMenu::Main, KeyMode::Letter);
}

void TFmain::NSpeakdigitClick()
{
    keySpeakOptions_->modeItemTriggered(KeyMenu::Main, KeyMode::Digit);
}

void TFmain::NspeakClipBrdClick()
{
    speakClipboardOption_->itemTriggered(live::Menu::Main);
}

void TFmain::NshowKeyWordClick()
{
    keySpeakOptions_->showItemTriggered(KeyMenu::Main);
}

void TFmain::NshowclipBrdTextClick()
{
    showClipboardOption_->itemTriggered(live::Menu::Main);
}

void TFmain::NEnglishClick(QAction* item)
{
    language_->choose(i18n::languageNameOf(item->text()));
}

QString TFmain::ApplyLanguage(const QString& name)
{
    return language_->apply(name);
}

QString TFmain::startInLanguage(const QString& asked, const QLocale& desktop)
{
    return language_->start(asked, desktop);
}

void TFmain::CUrlKeyDown(int key)
{
    if (!CUrl->currentText().isEmpty() && (key == Qt::Key_Return || key == Qt::Key_Enter))
        GoToAddress();
}

void TFmain::CUrlSelect()
{
    GoToAddress();
}

void TFmain::BtnGoClick()
{
    GoToAddress();
}

void TFmain::GoToAddress()
{
    addressBar_->GoToAddress();
}

void TFmain::WebBrowser1DocumentComplete()
{
    pageTextCopy_->documentComplete();
}

void TFmain::CBSpeakKeyAllClick()
{
    keySpeakOptions_->modeBoxToggled(KeyMode::All);
}

void TFmain::CBSpeakletterdigitClick()
{
    keySpeakOptions_->modeBoxToggled(KeyMode::LetterDigit);
}

void TFmain::CBSpeakLetterClick()
{
    keySpeakOptions_->modeBoxToggled(KeyMode::Letter);
}

void TFmain::CBSpeakdigitClick()
{
    keySpeakOptions_->modeBoxToggled(KeyMode::Digit);
}

void TFmain::CBSpeakClipBrdClick()
{
    speakClipboardOption_->boxToggled();
}

void TFmain::CBShowKeyWordClick()
{
    keySpeakOptions_->showBoxToggled();
}

void TFmain::CBShowClipBrdTextClick()
{
    showClipboardOption_->boxToggled();
}

void TFmain::NNSpeakKeyAllClick()
{
    keySpeakOptions_->modeItemTriggered(KeyMenu::Tray, KeyMode::All);
}

void TFmain::NNSpeakLetterDigitClick()
{
    keySpeakOptions_->modeItemTriggered(KeyMenu::Tray, KeyMode::LetterDigit);
}

void TFmain::NNSpeakLetterClick()
{
    keySpeakOptions_->modeItemTriggered(KeyMenu::Tray, KeyMode::Letter);
}

void TFmain::NNSpeakdigitClick()
{
    keySpeakOptions_->modeItemTriggered(KeyMenu::Tray, KeyMode::Digit);
}

void TFmain::NNspeakClipBrdClick()
{
    speakClipboardOption_->itemTriggered(live::Menu::Tray);
}

void TFmain::NNshowkeywordClick()
{
    keySpeakOptions_->showItemTriggered(KeyMenu::Tray);
}

void TFmain::NNShowclipBrdTextClick()
{
    showClipboardOption_->itemTriggered(live::Menu::Tray);
}
