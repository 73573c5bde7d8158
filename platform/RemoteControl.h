// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <QObject>

namespace platform {

// The running program's commands on the session bus, as org.lectorix.Lectorix, so that other
// programs, desktop shortcuts and `lectorix --read-selection` reach it.
class RemoteControl : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.lectorix.Lectorix")

public:
    static constexpr const char* Service = "org.lectorix.Lectorix";
    static constexpr const char* Path = "/org/lectorix/Lectorix";

    struct Commands {
        std::function<void()> readSelection;
        std::function<void()> stop;
        std::function<void()> pause;
    };

    explicit RemoteControl(Commands commands, QObject* parent = nullptr);
    ~RemoteControl() override;

    // Takes the name on the session bus; false without a session bus, or when another program
    // holds the name already.
    bool start();

public slots:
    Q_SCRIPTABLE void ReadSelection();
    Q_SCRIPTABLE void Stop();
    Q_SCRIPTABLE void Pause();

private:
    Commands commands_;
    QString connectionName_;
};

} // namespace platform
