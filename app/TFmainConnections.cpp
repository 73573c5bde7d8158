// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/TFmain.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QTextEdit>
#include <QToolButton>

// Which handler runs for which control.
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
    connect(&FVoiceLibrary, &TFVoiceLibrary::voicesChanged, this,
            guarded(&TFmain::FVoiceLibraryVoicesChanged));
    remote_ = std::make_unique<platform::RemoteControl>(
        platform::RemoteControl::Commands{guarded(&TFmain::RemoteReadSelection),
                                          guarded(&TFmain::BtnStopClick),
                                          guarded(&TFmain::BtnPauseClick)},
        this);
    remote_->start();
    connect(TBRate, &QSlider::valueChanged, this, guarded(&TFmain::TBRateChange));
    connect(TBVolume, &QSlider::valueChanged, this, guarded(&TFmain::TBVolumeChange));
    connect(CUrl, &QComboBox::activated, this, guarded(&TFmain::CUrlSelect));
    CUrl->installEventFilter(this);
    // Qt's combo box would take leaving an edited text that matches an entry for a choice from
    // its list; only a choice opens the entry.
    QObject::disconnect(CUrl->lineEdit(), &QLineEdit::editingFinished, CUrl, nullptr);
    connect(RichEdit1, &QTextEdit::textChanged, this, guarded(&TFmain::RichEdit1Change));
    connect(FindDialog1, &editor::FindDialog::findNext, this, guarded(&TFmain::FindDialog1Find));
    connect(ReplaceDialog1, &editor::ReplaceDialog::findNext, this,
            guarded(&TFmain::ReplaceDialog1Find));
    connect(ReplaceDialog1, &editor::ReplaceDialog::replace, this,
            guarded(&TFmain::ReplaceDialog1Replace));
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
        {menu_.NPrevSentence, &TFmain::NPrevSentenceClick},
        {menu_.NNextSentence, &TFmain::NNextSentenceClick},
        {menu_.NSpeakKeyAll, &TFmain::NSpeakKeyAllClick},
        {menu_.NspeakLetterDigit, &TFmain::NspeakLetterDigitClick},
        {menu_.NspeakLetter, &TFmain::NspeakLetterClick},
        {menu_.NSpeakdigit, &TFmain::NSpeakdigitClick},
        {menu_.NspeakClipBrd, &TFmain::NspeakClipBrdClick},
        {menu_.NshowKeyWord, &TFmain::NshowKeyWordClick},
        {menu_.NshowclipBrdText, &TFmain::NshowclipBrdTextClick},
        {menu_.NDefaultRate, &TFmain::NDefaultRateClick},
        {menu_.NDefaultvolume, &TFmain::NDefaultvolumeClick},
        {menu_.NVoiceLibrary, &TFmain::NVoiceLibraryClick},
        {menu_.NReadSelectionKey, &TFmain::NReadSelectionKeyClick},
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
            connect(item, &QAction::triggered, this, [this, item] {
                services_.messageBoxes.reportErrorsOf([&] { NEnglishClick(item); });
            });
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
