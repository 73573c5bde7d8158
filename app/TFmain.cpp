#include "app/TFmain.h"

#include "app/DateFormats.h"
#include "app/HelpText.h"
#include "app/StoredSettings.h"
#include "platform/Ole.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QWindowStateChangeEvent>

namespace {

constexpr int SkipWholeText = 2147483647;

} // namespace

TFmain::TFmain(PlatformServices& services, QWidget* parent)
    : QMainWindow(parent)
    , services_(services)
    , SpVoice1(services.speechEngine)
    , menu_(*this)
    , editorMenu_(*this)
    , trayMenu_(*this)
{
    setObjectName(QStringLiteral("Fmain"));
    setWindowTitle(QApplication::applicationName());
    createControls();
    createTrayIcon();
    reading_ = std::make_unique<speech::ReadingControl>(
        SpVoice1, speech::ReadingControls{*RichEdit1, *cbVoices, *TBRate, *lblRate, *TBVolume,
                                          *lblVolume, *ProgressBar1});
    SpVoice1.SetAudioLevelHandler([this](const speech::AudioLevelEvent& event) {
        services_.messageBoxes.reportErrorsOf([&] { SpVoice1AudioLevel(event); });
    });
    connectHandlers();
    RichEdit1->setFocus();
    services_.messageBoxes.reportErrorsOf([this] {
        SpVoice1.voice();
        TntFormCreate();
    });
}

TFmain::~TFmain()
{
    services_.messageBoxes.reportErrorsOf([this] { TntFormDestroy(); });
}

// Errors are caught as they leave a handler: Qt's own frames must not be unwound.
std::function<void()> TFmain::guarded(Handler handler)
{
    return [this, handler] { services_.messageBoxes.reportErrorsOf([&] { (this->*handler)(); }); };
}

void TFmain::connectHandlers()
{
    connectMenus();
    connectButtons();
    connect(cbVoices, &QComboBox::currentTextChanged, this, guarded(&TFmain::cbVoicesChange));
    connect(TBRate, &QSlider::valueChanged, this, guarded(&TFmain::TBRateChange));
    connect(TBVolume, &QSlider::valueChanged, this, guarded(&TFmain::TBVolumeChange));
    connect(CUrl, &QComboBox::activated, this, guarded(&TFmain::CUrlSelect));
    CUrl->lineEdit()->installEventFilter(this);
    connect(RichEdit1, &QTextEdit::customContextMenuRequested, this, [this](const QPoint& at) {
        editorMenu_.PMRight->popup(RichEdit1->viewport()->mapToGlobal(at));
    });
    connect(TrayIcon1, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger)
                    guarded (&TFmain::TrayIcon1Click)();
            });
}

void TFmain::connectMenus()
{
    const std::pair<QAction*, Handler> commands[] = {
        {menu_.NOpen, &TFmain::BtnOpenClick},
        {menu_.NSave, &TFmain::NSaveClick},
        {menu_.NExport, &TFmain::NExportClick},
        {menu_.NExportLineWav, &TFmain::NExportLineWavClick},
        {menu_.NPrintSetup, &TFmain::NPrintSetupClick},
        {menu_.NPrint, &TFmain::NPrintClick},
        {menu_.NExit, &TFmain::NExitClick},
        {menu_.NUndo, &TFmain::NUndoClick},
        {menu_.NRedo, &TFmain::NRedoClick},
        {menu_.Ncut, &TFmain::NcutClick},
        {menu_.NCopy, &TFmain::NCopyClick},
        {menu_.NPaste, &TFmain::NPasteClick},
        {menu_.NDelete, &TFmain::NDeleteClick},
        {menu_.NSeleteAll, &TFmain::NSeleteAllClick},
        {menu_.Nfind, &TFmain::NfindClick},
        {menu_.NReplace, &TFmain::NReplaceClick},
        {menu_.NDateTime, &TFmain::NDateTimeClick},
        {menu_.NWordWrap, &TFmain::NWordWrapClick},
        {menu_.NFont, &TFmain::NFontClick},
        {menu_.NBackcolor, &TFmain::NBackcolorClick},
        {menu_.NLeft, &TFmain::NLeftClick},
        {menu_.NCenter, &TFmain::NCenterClick},
        {menu_.NRight, &TFmain::NRightClick},
        {menu_.NAloud, &TFmain::BtnAloudClick},
        {menu_.NPause, &TFmain::BtnPauseClick},
        {menu_.NStop, &TFmain::BtnStopClick},
        {menu_.NSpeakKeyAll, &TFmain::NSpeakKeyAllClick},
        {menu_.NspeakLetterDigit, &TFmain::NspeakLetterDigitClick},
        {menu_.NspeakLetter, &TFmain::NspeakLetterClick},
        {menu_.NSpeakdigit, &TFmain::NSpeakdigitClick},
        {menu_.NspeakClipBrd, &TFmain::NspeakClipBrdClick},
        {menu_.NshowKeyWord, &TFmain::NshowKeyWordClick},
        {menu_.NshowclipBrdText, &TFmain::NshowclipBrdTextClick},
        {menu_.NDefaultRate, &TFmain::NDefaultRateClick},
        {menu_.NDefaultvolume, &TFmain::NDefaultvolumeClick},
        {menu_.NToolbar, &TFmain::NToolbarClick},
        {menu_.NAddressBar, &TFmain::NAddressBarClick},
        {menu_.NProgressbar, &TFmain::NProgressbarClick},
        {menu_.NPropertybar, &TFmain::NPropertybarClick},
        {menu_.NHelp, &TFmain::NHelpClick},
        {menu_.NAbout, &TFmain::NAboutClick},
        {editorMenu_.NNCut, &TFmain::NcutClick},
        {editorMenu_.NNcopy, &TFmain::NCopyClick},
        {editorMenu_.NNPaste, &TFmain::NPasteClick},
        {editorMenu_.NNAloud, &TFmain::BtnAloudClick},
        {editorMenu_.NNPause, &TFmain::BtnPauseClick},
        {editorMenu_.NNStop, &TFmain::BtnStopClick},
        {trayMenu_.NHideShow, &TFmain::NHideShowClick},
        {trayMenu_.NNNOpen, &TFmain::NNNOpenClick},
        {trayMenu_.NNNPaste, &TFmain::BtnPasteClick},
        {trayMenu_.NNNAloud, &TFmain::BtnAloudClick},
        {trayMenu_.NNNPause, &TFmain::BtnPauseClick},
        {trayMenu_.NNNStop, &TFmain::BtnStopClick},
        {trayMenu_.NNNExport, &TFmain::NExportClick},
        {trayMenu_.NNNExportLineWav, &TFmain::NExportLineWavClick},
        {trayMenu_.NNSpeakKeyAll, &TFmain::NNSpeakKeyAllClick},
        {trayMenu_.NNSpeakLetterDigit, &TFmain::NNSpeakLetterDigitClick},
        {trayMenu_.NNSpeakLetter, &TFmain::NNSpeakLetterClick},
        {trayMenu_.NNSpeakdigit, &TFmain::NNSpeakdigitClick},
        {trayMenu_.NNspeakClipBrd, &TFmain::NNspeakClipBrdClick},
        {trayMenu_.NNshowkeyword, &TFmain::NNshowkeywordClick},
        {trayMenu_.NNShowclipBrdText, &TFmain::NNShowclipBrdTextClick},
        {trayMenu_.NNHelp, &TFmain::NHelpClick},
        {trayMenu_.NNAbout, &TFmain::NAboutClick},
        {trayMenu_.NNExit, &TFmain::NNExitClick},
    };
    for (const auto& [item, handler] : commands)
        connect(item, &QAction::triggered, this, guarded(handler));
    for (const auto& items : {menu_.languageItems, trayMenu_.languageItems})
        for (QAction* item : items)
            connect(item, &QAction::triggered, this, guarded(&TFmain::NEnglishClick));
}

void TFmain::connectButtons()
{
    const std::pair<QAbstractButton*, Handler> clicks[] = {
        {BtnOpen, &TFmain::BtnOpenClick},   {BtnPaste, &TFmain::BtnPasteClick},
        {BtnExport, &TFmain::NExportClick}, {BtnAloud, &TFmain::BtnAloudClick},
        {BtnPause, &TFmain::BtnPauseClick}, {BtnStop, &TFmain::BtnStopClick},
        {BtnHelp, &TFmain::NHelpClick},     {BtnAbout, &TFmain::NAboutClick},
        {BtnGo, &TFmain::BtnGoClick},
    };
    for (const auto& [button, handler] : clicks)
        connect(button, &QAbstractButton::clicked, this, guarded(handler));
    // A check box runs its handler whether the user or the program changes it.
    const std::pair<QCheckBox*, Handler> checks[] = {
        {CBSpeakKeyAll, &TFmain::CBSpeakKeyAllClick},
        {CBSpeakletterdigit, &TFmain::CBSpeakletterdigitClick},
        {CBSpeakLetter, &TFmain::CBSpeakLetterClick},
        {CBSpeakdigit, &TFmain::CBSpeakdigitClick},
        {CBSpeakClipBrd, &TFmain::CBSpeakClipBrdClick},
        {CBShowKeyWord, &TFmain::CBShowKeyWordClick},
        {CBShowClipBrdText, &TFmain::CBShowClipBrdTextClick},
    };
    for (const auto& [box, handler] : checks)
        connect(box, &QCheckBox::toggled, this, guarded(handler));
}

bool TFmain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == CUrl->lineEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        services_.messageBoxes.reportErrorsOf([&] { CUrlKeyDown(key); });
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFmain::TntFormCreate()
{
    setDateFormats();
    const StoredSettings settings = readSettings();
    acceptDroppedFiles();
    installVoices();
    SpVoice1->SetEventInterests(speech::Voice::AllEventInterests);
    reading_->fillVoiceList(settings.engine);
    reading_->applyRateAndVolume(settings.rate, settings.volume);
    startKeyboardHook();
    applyBars(settings);
    applyLiveSpeaking(settings);
    applyEditorSettings(settings);
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
    platform::OleUninitialize();
    leaveClipboardChain();
    try {
        SpVoice1->Skip(QStringLiteral("Sentence"), SkipWholeText);
    } catch (const std::exception&) {
        return;
    }
    stopKeyboardHook();
}

void TFmain::TntFormDestroy()
{
    removeVoices();
    writeSettings();
    saveAddressHistory();
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
}

void TFmain::setDateFormats()
{
    processDateFormats() = {QStringLiteral("-"), QStringLiteral("yyyy-mm-dd"),
                            QStringLiteral("yyyy-mm-dd")};
}

StoredSettings TFmain::readSettings() const
{
    StoredSettings settings;
    settings.wordWrap = RichEdit1->lineWrapMode() == QTextEdit::NoWrap ? 0 : 1;
    return settings;
}

void TFmain::acceptDroppedFiles() {}

void TFmain::installVoices() {}

void TFmain::startKeyboardHook() {}

void TFmain::applyBars(const StoredSettings&) {}

void TFmain::applyLiveSpeaking(const StoredSettings&) {}

void TFmain::applyEditorSettings(const StoredSettings&) {}

void TFmain::joinClipboardChain() {}

void TFmain::loadAddressHistory() {}

void TFmain::leaveClipboardChain() {}

void TFmain::stopKeyboardHook() {}

void TFmain::removeVoices() {}

void TFmain::writeSettings() {}

void TFmain::saveAddressHistory() {}

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

void TFmain::showAgain()
{
    setWindowState(hiddenMaximized_ ? Qt::WindowMaximized : Qt::WindowNoState);
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

void TFmain::NExitClick()
{
    close();
}

void TFmain::NNExitClick()
{
    close();
}

void TFmain::BtnOpenClick() {}

void TFmain::BtnPasteClick() {}

void TFmain::NSaveClick() {}

void TFmain::NExportClick() {}

void TFmain::NExportLineWavClick() {}

void TFmain::NPrintSetupClick() {}

void TFmain::NPrintClick() {}

void TFmain::NUndoClick() {}

void TFmain::NRedoClick() {}

void TFmain::NcutClick() {}

void TFmain::NCopyClick() {}

void TFmain::NPasteClick() {}

void TFmain::NDeleteClick() {}

void TFmain::NSeleteAllClick() {}

void TFmain::NfindClick() {}

void TFmain::NReplaceClick() {}

void TFmain::NDateTimeClick() {}

void TFmain::NWordWrapClick() {}

void TFmain::NFontClick() {}

void TFmain::NBackcolorClick() {}

void TFmain::NLeftClick() {}

void TFmain::NCenterClick() {}

void TFmain::NRightClick() {}

void TFmain::NSpeakKeyAllClick() {}

void TFmain::NspeakLetterDigitClick() {}

void TFmain::NspeakLetterClick() {}

void TFmain::NSpeakdigitClick() {}

void TFmain::NspeakClipBrdClick() {}

void TFmain::NshowKeyWordClick() {}

void TFmain::NshowclipBrdTextClick() {}

void TFmain::NEnglishClick() {}

void TFmain::CUrlKeyDown(int) {}

void TFmain::CUrlSelect() {}

void TFmain::BtnGoClick() {}

void TFmain::CBSpeakKeyAllClick() {}

void TFmain::CBSpeakletterdigitClick() {}

void TFmain::CBSpeakLetterClick() {}

void TFmain::CBSpeakdigitClick() {}

void TFmain::CBSpeakClipBrdClick() {}

void TFmain::CBShowKeyWordClick() {}

void TFmain::CBShowClipBrdTextClick() {}

void TFmain::NNNOpenClick() {}

void TFmain::NNSpeakKeyAllClick() {}

void TFmain::NNSpeakLetterDigitClick() {}

void TFmain::NNSpeakLetterClick() {}

void TFmain::NNSpeakdigitClick() {}

void TFmain::NNspeakClipBrdClick() {}

void TFmain::NNshowkeywordClick() {}

void TFmain::NNShowclipBrdTextClick() {}
