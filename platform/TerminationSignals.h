// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>
#include <QObject>

class QSocketNotifier;

namespace platform {

// Turns SIGTERM, SIGHUP and SIGINT (a plain kill, a closed terminal, the end of the desktop
// session) into the Qt signal `received` on the thread that made the object, so the program ends
// through its own close sequence instead of being cut off. A second signal of the same kind ends
// the program at once, should that sequence hang. Signals ignored at start stay ignored. One object
// at a time, kept until the settings are written.
class TerminationSignals final : public QObject {
    Q_OBJECT

public:
    TerminationSignals();
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

signals:
    void received();

private:
    void readSignals();

    int sockets_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
    bool received_ = false;
};

} // namespace platform
