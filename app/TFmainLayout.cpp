// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/TFmain.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

// The window as laid out at 96 dots per inch: bands docked by layouts, controls inside the bars
// at fixed places.
namespace {

template <typename Widget> Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QFrame* band(QWidget* parent, const char* name)
{
    auto* frame = named(new QFrame(parent), name);
    frame->setAutoFillBackground(true);
    return frame;
}

QLabel* placeLabel(QWidget* parent, const char* name, const QString& text, int left, int top)
{
    auto* label = named(new QLabel(text, parent), name);
    label->move(left, top);
    label->adjustSize();
    return label;
}

QToolButton* placeToolButton(QWidget* parent, const char* name, const char* picture,
                             const QString& caption, const QString& hint, int left)
{
    auto* button = named(new QToolButton(parent), name);
    button->setGeometry(left, 4, 74, 74);
    button->setText(caption);
    button->setToolTip(hint);
    button->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(picture))));
    button->setIconSize(QSize(45, 45));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
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

QCheckBox* placeCheckBox(QWidget* parent, const char* name, const QString& caption, int top,
                         int width)
{
    auto* box = named(new QCheckBox(caption, parent), name);
    box->setGeometry(16, top, width, 17);
    return box;
}

} // namespace

void TFmain::createControls()
{
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    auto* client = new QWidget(this);
    auto* bands = new QVBoxLayout(client);
    bands->setContentsMargins(0, 0, 0, 0);
    bands->setSpacing(0);
    bands->addWidget(createToolBar());
    bands->addWidget(createAddressBar());

    auto* middle = new QHBoxLayout;
    middle->setSpacing(0);
    Panel1 = band(client, "Panel1");
    Panel1->setFixedWidth(3);
    Panel1->setPalette(QPalette(Qt::white));
    middle->addWidget(Panel1);
    RichEdit1 = named(new QTextEdit(client), "RichEdit1");
    RichEdit1->setAccessibleName(QStringLiteral("文本"));
    RichEdit1->setFont(QFont(QStringLiteral("Tahoma"), 8));
    RichEdit1->setContextMenuPolicy(Qt::CustomContextMenu);
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
    FindDialog1 = new editor::FindDialog(this);
    ReplaceDialog1 = new editor::ReplaceDialog(this);
}

QFrame* TFmain::createToolBar()
{
    PToolBar = band(this, "PToolBar");
    PToolBar->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PToolBar->setFixedHeight(88);
    QWidget* bar = PToolBar;
    BtnOpen =
        placeToolButton(bar, "BtnOpen", "open", QStringLiteral("打开"), QStringLiteral("打开"), 5);
    BtnPaste = placeToolButton(bar, "BtnPaste", "paste", QStringLiteral("粘贴"),
                               QStringLiteral("Paste"), 78);
    BtnExport = placeToolButton(bar, "BtnExport", "export", QStringLiteral("导出"),
                                QStringLiteral("Export Wav"), 151);
    BtnAloud = placeToolButton(bar, "BtnAloud", "read", QStringLiteral("朗读"),
                               QStringLiteral("Aloud"), 234);
    BtnPause = placeToolButton(bar, "BtnPause", "pause", QStringLiteral("暂停"),
                               QStringLiteral("Pause"), 307);
    BtnStop = placeToolButton(bar, "BtnStop", "stop", QStringLiteral("停止"),
                              QStringLiteral("停止朗读"), 380);
    BtnHelp = placeToolButton(bar, "BtnHelp", "help", QStringLiteral("帮助"),
                              QStringLiteral("帮助"), 548);
    BtnAbout = placeToolButton(bar, "BtnAbout", "about", QStringLiteral("关于"),
                               QStringLiteral("关于"), 621);
    return PToolBar;
}

QFrame* TFmain::createAddressBar()
{
    PAddressBar = band(this, "PAddressBar");
    PAddressBar->setFixedHeight(40);
    lblUrl = placeLabel(PAddressBar, "lblUrl", QStringLiteral("地址(&D):"), 5, 12);
    CUrl = named(new QComboBox(PAddressBar), "CUrl");
    CUrl->setGeometry(76, 9, 801, 21);
    CUrl->setEditable(true);
    CUrl->setInsertPolicy(QComboBox::NoInsert);
    CUrl->setToolTip(QStringLiteral("在此输入文件位置或网页地址,按回车键或转到按钮."));
    lblUrl->setBuddy(CUrl);
    BtnGo = named(new QPushButton(QStringLiteral("转到"), PAddressBar), "BtnGo");
    BtnGo->setGeometry(897, 7, 75, 25);
    return PAddressBar;
}

QFrame* TFmain::createPropertyBar()
{
    PPropertyBar = band(this, "PPropertyBar");
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
    // A screen reader names each control after the label before it.
    lblengine->setBuddy(cbVoices);
    lblRate1->setBuddy(TBRate);
    lblVolume1->setBuddy(TBVolume);
    lblMinVolume = placeLabel(bar, "lblMinVolume", QStringLiteral("0"), 14, 220);
    TntLabel4 = placeLabel(bar, "TntLabel4", QStringLiteral("100"), 151, 220);
    createCheckBoxes(bar);
    return PPropertyBar;
}

void TFmain::createCheckBoxes(QWidget* bar)
{
    CBSpeakKeyAll = placeCheckBox(bar, "CBSpeakKeyAll", QStringLiteral("朗读按键(所有)"), 247, 148);
    CBSpeakletterdigit =
        placeCheckBox(bar, "CBSpeakletterdigit", QStringLiteral("朗读按键(字母和数字)"), 270, 185);
    CBSpeakLetter =
        placeCheckBox(bar, "CBSpeakLetter", QStringLiteral("朗读按键(仅字母)"), 293, 148);
    CBSpeakdigit = placeCheckBox(bar, "CBSpeakdigit", QStringLiteral("朗读按键(仅数字)"), 316, 148);
    CBSpeakClipBrd = placeCheckBox(bar, "CBSpeakClipBrd", QStringLiteral("朗读剪贴板"), 339, 148);
    CBShowKeyWord = placeCheckBox(bar, "CBShowKeyWord", QStringLiteral("显示按键字符"), 392, 148);
    CBShowClipBrdText =
        placeCheckBox(bar, "CBShowClipBrdText", QStringLiteral("显示剪贴板文字"), 415, 148);
}

void TFmain::createTrayIcon()
{
    TrayIcon1 = named(new QSystemTrayIcon(QApplication::windowIcon(), this), "TrayIcon1");
    TrayIcon1->setToolTip(QStringLiteral("Vocorix2008(点击右键弹出菜单，点击左键显示窗口)."));
    TrayIcon1->setContextMenu(trayMenu_.PMBar);
    TrayIcon1->show();
}
