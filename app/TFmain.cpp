#include "app/TFmain.h"

#include "app/DateFormats.h"
#include "app/StoredSettings.h"
#include "platform/Ole.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

constexpr int SkipWholeText = 2147483647;

template <typename Widget> Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel* placeLabel(QWidget* parent, const char* name, const QString& text, int left, int top)
{
    auto* label = named(new QLabel(text, parent), name);
    label->move(left, top);
    label->adjustSize();
    return label;
}

QPushButton* placeToolButton(QWidget* parent, const char* name, const QString& caption,
                             const QString& hint, int left)
{
    auto* button = named(new QPushButton(caption, parent), name);
    button->setGeometry(left, 4, 74, 74);
    button->setToolTip(hint);
    return button;
}

QSlider* placeTrackBar(QWidget* parent, const char* name, const QRect& geometry, int minimum,
                       int maximum, const QString& hint)
{
    auto* trackBar = named(new QSlider(Qt::Horizontal, parent), name);
    trackBar->setGeometry(geometry);
    trackBar->setRange(minimum, maximum);
    trackBar->setPageStep(2);
    trackBar->setTickPosition(QSlider::TicksBelow);
    trackBar->setTickInterval(1);
    trackBar->setToolTip(hint);
    return trackBar;
}

} // namespace

TFmain::TFmain(PlatformServices& services, QWidget* parent)
    : QMainWindow(parent)
    , services_(services)
    , SpVoice1(services.speechEngine)
{
    setObjectName(QStringLiteral("Fmain"));
    setWindowTitle(QApplication::applicationName());
    createControls();
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

void TFmain::createControls()
{
    auto* client = new QWidget(this);
    auto* bands = new QVBoxLayout(client);
    bands->setContentsMargins(0, 0, 0, 0);
    bands->setSpacing(0);
    bands->addWidget(createToolBar());

    auto* middle = new QHBoxLayout;
    middle->setSpacing(0);
    Panel1 = named(new QFrame(client), "Panel1");
    Panel1->setFixedWidth(3);
    Panel1->setAutoFillBackground(true);
    Panel1->setPalette(QPalette(Qt::white));
    middle->addWidget(Panel1);
    RichEdit1 = named(new QTextEdit(client), "RichEdit1");
    middle->addWidget(RichEdit1, 1);
    middle->addWidget(createPropertyBar());
    bands->addLayout(middle, 1);

    ProgressBar1 = named(new QProgressBar(client), "ProgressBar1");
    ProgressBar1->setRange(0, 10);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setFixedHeight(25);
    bands->addWidget(ProgressBar1);
    setCentralWidget(client);
    resize(1028, 732);
}

QFrame* TFmain::createToolBar()
{
    PToolBar = named(new QFrame(this), "PToolBar");
    PToolBar->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PToolBar->setFixedHeight(88);
    BtnAloud =
        placeToolButton(PToolBar, "BtnAloud", QStringLiteral("朗读"), QStringLiteral("Aloud"), 234);
    BtnPause =
        placeToolButton(PToolBar, "BtnPause", QStringLiteral("暂停"), QStringLiteral("Pause"), 307);
    BtnStop = placeToolButton(PToolBar, "BtnStop", QStringLiteral("停止"),
                              QStringLiteral("停止朗读"), 380);
    return PToolBar;
}

QFrame* TFmain::createPropertyBar()
{
    PPropertyBar = named(new QFrame(this), "PPropertyBar");
    PPropertyBar->setFrameStyle(QFrame::Panel | QFrame::Raised);
    PPropertyBar->setFixedWidth(201);
    QWidget* bar = PPropertyBar;
    lblengine = placeLabel(bar, "lblengine", QStringLiteral("语音引擎:"), 14, 16);
    cbVoices = named(new QComboBox(bar), "cbVoices");
    cbVoices->setGeometry(14, 35, 155, 21);
    cbVoices->setEditable(true);
    cbVoices->setInsertPolicy(QComboBox::NoInsert);
    cbVoices->setToolTip(QStringLiteral("选择要朗读的语音引擎"));
    lblRate1 = placeLabel(bar, "lblRate1", QStringLiteral("语速:"), 14, 87);
    TBRate = placeTrackBar(bar, "TBRate", {7, 106, 150, 30}, -10, 10,
                           QStringLiteral("点击拖动调节朗读语速(默认0)"));
    TBRate->setSingleStep(1);
    lblRate = placeLabel(bar, "lblRate", QStringLiteral("0"), 165, 109);
    lblMinSpeed = placeLabel(bar, "lblMinSpeed", QStringLiteral("-10"), 12, 137);
    lblMaxSpeed = placeLabel(bar, "lblMaxSpeed", QStringLiteral("10"), 144, 138);
    lblVolume1 = placeLabel(bar, "lblVolume1", QStringLiteral("音量:"), 14, 164);
    TBVolume = placeTrackBar(bar, "TBVolume", {5, 183, 161, 40}, 0, 100,
                             QStringLiteral("点击拖动调节朗读音量(默认80)"));
    // The arrow keys do not move the volume.
    TBVolume->setSingleStep(0);
    lblVolume = placeLabel(bar, "lblVolume", QStringLiteral("0"), 170, 188);
    lblMinVolume = placeLabel(bar, "lblMinVolume", QStringLiteral("0"), 14, 220);
    TntLabel4 = placeLabel(bar, "TntLabel4", QStringLiteral("100"), 151, 220);
    return PPropertyBar;
}

// Errors are caught as they leave a handler: Qt's own frames must not be unwound.
std::function<void()> TFmain::guarded(void (TFmain::*handler)())
{
    return [this, handler] { services_.messageBoxes.reportErrorsOf([&] { (this->*handler)(); }); };
}

void TFmain::connectHandlers()
{
    connect(BtnAloud, &QPushButton::clicked, this, guarded(&TFmain::BtnAloudClick));
    connect(BtnPause, &QPushButton::clicked, this, guarded(&TFmain::BtnPauseClick));
    connect(BtnStop, &QPushButton::clicked, this, guarded(&TFmain::BtnStopClick));
    connect(cbVoices, &QComboBox::currentTextChanged, this, guarded(&TFmain::cbVoicesChange));
    connect(TBRate, &QSlider::valueChanged, this, guarded(&TFmain::TBRateChange));
    connect(TBVolume, &QSlider::valueChanged, this, guarded(&TFmain::TBVolumeChange));
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
    hideTrayIcon();
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

void TFmain::hideTrayIcon() {}

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
