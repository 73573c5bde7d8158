// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/neural/NeuralVoices.h"

#include "engine/HelperVoiceToken.h"
#include "engine/neural/OnnxMetadata.h"
#include "engine/neural/VoiceFolder.h"

#include <cstdio>
#include <QDir>
#include <QSet>
#include <QStandardPaths>

namespace engine {

namespace {

void reportLeftOut(const QString& folder, const char* reason)
{
    static QSet<QString> reported;
    if (reported.contains(folder))
        return;
    reported.insert(folder);
    std::fprintf(stderr, "lectorix: the voice in \"%s\" is left out: %s\n", qPrintable(folder),
                 reason);
}

QString speakerName(const neural::VoiceFolder& voice, int speaker)
{
    if (static_cast<std::size_t>(speaker) < voice.speakerNames.size())
        return QString::fromStdString(voice.speakerNames[speaker]);
    return QStringLiteral("speaker %1").arg(speaker);
}

QString description(const QString& name, const neural::VoiceFolder& voice, int speaker)
{
    QStringList about;
    if (!voice.language.empty())
        about << QString::fromStdString(voice.language);
    if (voice.speakers > 1 || !voice.speakerNames.empty())
        about << speakerName(voice, speaker);
    return about.isEmpty() ? name : QStringLiteral("%1 (%2)").arg(name, about.join(u", "));
}

void addSpeakers(const QString& path, speech::VoiceTokens& tokens)
{
    const QString name = QFileInfo(path).fileName();
    try {
        const neural::VoiceFolder voice =
            neural::readVoiceFolder(path.toStdString(), LECTORIX_ESPEAK_NG_DATA);
        for (int speaker = 0; speaker < voice.speakers; ++speaker)
            tokens.push_back(std::make_shared<HelperVoiceToken>(
                QStringLiteral("neural/%1/%2").arg(name).arg(speaker),
                description(name, voice, speaker), QString::number(speaker),
                HelperVoiceToken::Neural{path, QString::fromStdString(voice.espeakVoice)}));
    } catch (const neural::VoiceFolderError& error) {
        reportLeftOut(path, error.what());
    }
}

} // namespace

QString userNeuralVoicesFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/lectorix/voices");
}

speech::VoiceTokens listNeuralVoices(const QString& folder)
{
    speech::VoiceTokens tokens;
    const QDir voices(folder);
    for (const QString& name : voices.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        addSpeakers(voices.filePath(name), tokens);
    return tokens;
}

} // namespace engine
