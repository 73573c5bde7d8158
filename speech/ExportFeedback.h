// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <stdexcept>

namespace speech {

// How an export shows how far it is and learns that it is to stop.
class ExportFeedback {
public:
    virtual ~ExportFeedback() = default;

    // The share of the export done, from 0 to 1; false once it is to stop. It may run other work
    // meanwhile, which may release the voice object.
    virtual bool goOn(double done) = 0;
};

// An export that was asked to stop; the file it was writing, if any, is gone.
class ExportStopped : public std::runtime_error {
public:
    explicit ExportStopped(const QString& unfinishedFile = {})
        : std::runtime_error(messageFor(unfinishedFile).toStdString())
    {
    }

private:
    static QString messageFor(const QString& unfinishedFile)
    {
        const QString stopped = QStringLiteral("The export was stopped.");
        if (unfinishedFile.isEmpty())
            return stopped;
        return stopped +
               QStringLiteral(" The unfinished file \"%1\" was removed.").arg(unfinishedFile);
    }
};

} // namespace speech
