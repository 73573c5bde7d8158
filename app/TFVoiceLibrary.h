// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "voices/VoiceInstallation.h"
#include "voices/VoiceInstaller.h"

#include <QDialog>

class ClassicFileDialogTexts;
class FileDialogs;
class MessageBoxes;
class QLabel;
class QPushButton;
class VoiceListView;

// Where the voice library keeps its voices, and what it asks and tells through.
struct VoiceLibrarySetup {
    QString voicesFolder;
    // lectorix-neural, which checks that a new voice loads.
    QString helperPath;
    FileDialogs& fileDialogs;
    MessageBoxes& messageBoxes;
};

// The voice library: the installed neural voices with their language, speakers, size and
// licence; installing one from an archive or a folder, removing one, and the page where voices
// are published. Every change is announced, so the voice box can follow at once.
class TFVoiceLibrary : public QDialog {
    Q_OBJECT

public:
    // Where sherpa-onnx publishes its converted Piper and Kokoro voices.
    static constexpr const char* VoicesPage =
        "https://github.com/k2-fsa/sherpa-onnx/releases/tag/tts-models";

    explicit TFVoiceLibrary(VoiceLibrarySetup setup, QWidget* parent = nullptr);
    ~TFVoiceLibrary() override;

    // Shows the library modally, unless it is showing already.
    void showModal();
    // Installs a voice archive or folder, with progress over `window`; reports a failure there.
    void install(QWidget* window, const QString& source);

signals:
    void voicesChanged();

protected:
    // The voices are listed as they are each time the library is shown.
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    void listVoices();
    void installChosen();
    void removeChosen();
    void openVoicesPage();
    bool askToReplace(const QString& name);

    VoiceLibrarySetup setup_;
    voices::VoiceInstaller installer_;
    voices::VoiceInstallation installation_;
    // Where the installation running now shows itself and asks.
    QWidget* installWindow_ = nullptr;
    VoiceListView* lvVoices = nullptr;
    QPushButton* BtnInstall = nullptr;
    QPushButton* BtnRemove = nullptr;
    QPushButton* BtnGetVoices = nullptr;
    QPushButton* BtnClose = nullptr;
    // Texts the library shows in messages, kept where a language file finds them.
    QLabel* lblInstalling = nullptr;
    QLabel* lblCancel = nullptr;
    QLabel* lblReplace = nullptr;
    QLabel* lblRemove = nullptr;
    QLabel* lblUnusable = nullptr;
    QLabel* lblBusy = nullptr;
    ClassicFileDialogTexts* OpenVoiceDialog = nullptr;
};
