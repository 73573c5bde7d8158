// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "audio/NullPcmSink.h"
#include "engine/HelperEngine.h"

#include <memory>
#include <QFile>
#include <QString>

// The engine of the export benches: espeak-ng's American English, with no sound device.
inline std::unique_ptr<engine::HelperEngine> exportEngine()
{
    return std::make_unique<engine::HelperEngine>(
        engine::HelperEngine::defaultHelperPath(),
        [](int rate) { return std::make_unique<audio::NullPcmSink>(rate); },
        QStringLiteral("en-us"));
}

// A book of the given size in characters, the bench's chapter of prose again and again.
inline QString bookOfSize(qsizetype bytes)
{
    QFile file(QStringLiteral(LECTORIX_BENCH_DATA "/hard-wrapped-prose.txt"));
    file.open(QIODevice::ReadOnly);
    const QString chapter = QString::fromUtf8(file.readAll()) + u'\n';
    QString text;
    while (text.size() < bytes)
        text += chapter;
    return text.left(bytes);
}
