#include "documents/EditorLoader.h"

#include "platform/RtfReader.h"
#include "platform/TextDecoding.h"

#include <QFile>
#include <QTextEdit>
#include <stdexcept>

namespace documents {

EditorLoader::EditorLoader(QTextEdit& editor)
    : editor_(editor)
{
}

void EditorLoader::load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("Cannot open file \"%1\". %2")
                                     .arg(path, file.errorString())
                                     .toStdString());
    const QByteArray bytes = file.readAll();
    if (mode_ == EditorFileMode::Rich && platform::RtfReader::looksLikeRtf(bytes))
        platform::RtfReader::read(bytes, *editor_.document());
    else
        editor_.setPlainText(platform::decodeByByteOrderMark(bytes));
}

} // namespace documents
