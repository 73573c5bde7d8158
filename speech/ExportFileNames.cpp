// SPDX-License-Identifier: GPL-3.0-or-later

#include "speech/ExportFileNames.h"

namespace speech {

namespace {

// Cut at a character boundary until the name and its suffix fit; a cut text loses the blanks and
// full stops it would end in.
QString shortened(const QString& prefix, QString text, const QString& suffix)
{
    const auto fits = [&](const QString& candidate) {
        return (prefix + candidate + suffix).toUtf8().size() <= MaxFileNameBytes;
    };
    if (fits(text))
        return prefix + text;
    while (!text.isEmpty() && !fits(text))
        text.chop(text.size() >= 2 && text.back().isLowSurrogate() ? 2 : 1);
    while (!text.isEmpty() && (text.back() == u' ' || text.back() == u'.'))
        text.chop(1);
    return prefix + text;
}

QString withoutForbiddenCharacters(const QString& line)
{
    QString text = trimmedBelow33(line);
    for (const QChar forbidden : QStringLiteral("\\/:*?\"<>|"))
        text.replace(forbidden, u' ');
    return text;
}

} // namespace

QString trimmedBelow33(const QString& text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text.at(start).unicode() < 33)
        ++start;
    while (end > start && text.at(end - 1).unicode() < 33)
        --end;
    return text.mid(start, end - start);
}

QString lineFileName(int index, const QString& line)
{
    return shortened(QString::number(index) + u'.', withoutForbiddenCharacters(line),
                     QStringLiteral(".wav"));
}

QString chapterFileName(int number, int count, const QString& title, const QString& suffix)
{
    const int digits = std::max(2, static_cast<int>(QString::number(count).size()));
    const QString numbered = QStringLiteral("%1").arg(number, digits, 10, QLatin1Char('0'));
    const QString text = withoutForbiddenCharacters(title).simplified();
    if (text.isEmpty())
        return numbered + suffix;
    return shortened(numbered + QStringLiteral(" - "), text, suffix) + suffix;
}

} // namespace speech
