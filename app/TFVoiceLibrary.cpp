// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/TFVoiceLibrary.h"

#include "app/FileDialogs.h"
#include "app/FileDialogTexts.h"
#include "app/MessageBoxes.h"
#include "app/VoiceListView.h"
#include "voices/InstalledVoices.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const char16_t VoiceFileTypes[] =
    u"语音(*.tar.bz2,*.onnx)|*.tar.bz2;*.tbz2;*.tar.gz;*.tgz;*.tar.xz;*.tar;*.onnx|"
    u"任何文件(*.*)|*.*";

// A model chosen in the file dialog stands for the voice's folder.
QString sourceOf(const QString& chosen)
{
    const QFileInfo file(chosen);
    return file.suffix().compare(QLatin1String("onnx"), Qt::CaseInsensitive) == 0 ? file.path()
                                                                                  : chosen;
}

} // namespace

TFVoiceLibrary::TFVoiceLibrary(VoiceLibrarySetup setup, QWidget* parent)
    : QDialog(parent)
    , setup_(std::move(setup))
    , installer_(setup_.voicesFolder, setup_.helperPath)
    , installation_(installer_, [this](const QString& name) { return askToReplace(name); })
{
    setObjectName(QStringLiteral("FVoiceLibrary"));
    setWindowTitle(QStringLiteral("语音库"));
    setModal(true);
    createControls();
    resize(640, 360);
}

TFVoiceLibrary::~TFVoiceLibrary() = default;

void TFVoiceLibrary::createControls()
{
    const auto named = []<typename Control>(Control* control, const char* name) {
        control->setObjectName(QLatin1String(name));
        return control;
    };
    const auto text = [&](const char* name, const QString& caption) {
        auto* label = named(new QLabel(caption, this), name);
        label->hide();
        return label;
    };
    lvVoices =
        named(new VoiceListView(this, QStringLiteral("名称|语言|说话人|大小|许可")), "lvVoices");
    BtnInstall = named(new QPushButton(QStringLiteral("从文件安装…"), this), "BtnInstall");
    BtnRemove = named(new QPushButton(QStringLiteral("删除"), this), "BtnRemove");
    BtnGetVoices = named(new QPushButton(QStringLiteral("获取语音"), this), "BtnGetVoices");
    BtnGetVoices->setToolTip(QString::fromLatin1(VoicesPage));
    BtnClose = named(new QPushButton(QStringLiteral("关闭"), this), "BtnClose");
    lblInstalling = text("lblInstalling", QStringLiteral("正在安装语音…"));
    lblCancel = text("lblCancel", QStringLiteral("取消"));
    lblReplace = text("lblReplace", QStringLiteral("语音“%1”已经安装。要替换它吗？"));
    lblRemove = text("lblRemove", QStringLiteral("要删除语音“%1”吗？"));
    lblUnusable = text("lblUnusable", QStringLiteral("无法使用：%1"));
    lblBusy = text("lblBusy", QStringLiteral("正在安装另一个语音，请等它完成。"));
    OpenVoiceDialog = new ClassicFileDialogTexts(this, "OpenVoiceDialog",
                                                 QString::fromUtf16(VoiceFileTypes), QString());
    OpenVoiceDialog->title = QStringLiteral("安装语音");

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {BtnInstall, BtnRemove, BtnGetVoices})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(BtnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lvVoices);
    layout->addLayout(buttons);

    const auto reporting = [this](void (TFVoiceLibrary::*handler)()) {
        return [this, handler] { setup_.messageBoxes.reportErrorsOf([&] { (this->*handler)(); }); };
    };
    connect(BtnInstall, &QPushButton::clicked, this, reporting(&TFVoiceLibrary::installChosen));
    connect(BtnRemove, &QPushButton::clicked, this, reporting(&TFVoiceLibrary::removeChosen));
    connect(BtnGetVoices, &QPushButton::clicked, this, &TFVoiceLibrary::openVoicesPage);
    connect(BtnClose, &QPushButton::clicked, this, &QDialog::accept);
}

void TFVoiceLibrary::showModal()
{
    if (!isVisible())
        exec();
}

void TFVoiceLibrary::showEvent(QShowEvent* event)
{
    listVoices();
    QDialog::showEvent(event);
}

void TFVoiceLibrary::listVoices()
{
    lvVoices->showVoices(voices::installedVoices(setup_.voicesFolder), lblUnusable->text());
    BtnRemove->setEnabled(lvVoices->topLevelItemCount() > 0);
}

void TFVoiceLibrary::installChosen()
{
    const QString chosen = setup_.fileDialogs.chooseFileToOpen(this, *OpenVoiceDialog);
    if (!chosen.isEmpty())
        install(this, sourceOf(chosen));
}

// One installation at a time: the window stays alive while one runs, and a second is refused.
void TFVoiceLibrary::install(QWidget* window, const QString& source)
{
    if (installWindow_) {
        setup_.messageBoxes.showMessage(QApplication::applicationName(), lblBusy->text());
        return;
    }
    const QScopedValueRollback running(installWindow_, window);
    try {
        installation_.run(window, source, {lblInstalling->text(), lblCancel->text()});
    } catch (const voices::InstallCancelled&) {
        return;
    } catch (const voices::InstallError& error) {
        setup_.messageBoxes.showError(QString::fromUtf8(error.what()));
        return;
    }
    listVoices();
    emit voicesChanged();
}

void TFVoiceLibrary::removeChosen()
{
    const QString name = lvVoices->chosenName();
    if (name.isEmpty() || !setup_.messageBoxes.askYesNo(this, lblRemove->text().arg(name)))
        return;
    installer_.remove(name);
    listVoices();
    emit voicesChanged();
}

bool TFVoiceLibrary::askToReplace(const QString& name)
{
    return setup_.messageBoxes.askYesNo(installWindow_, lblReplace->text().arg(name));
}

void TFVoiceLibrary::openVoicesPage()
{
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(VoicesPage)));
}
