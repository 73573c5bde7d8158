// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace formats {
class Registry;
}

namespace speech {

// Writes the registry tokens of the voices "Microsoft Mary" and "Microsoft Mike", or removes them.
// Each step needs its key to open and is skipped alone when it does not, so a registry that cannot
// be written is left as it was; a write that fails once its key opened throws.
class InstallTTS {
public:
    // dataFolder is the program's data folder, ending in a separator; windowsDrive is the Windows
    // folder's drive, as "C:".
    InstallTTS(formats::Registry& registry, QString dataFolder, QString windowsDrive);

    void RemoveMary();
    void RemoveMike();
    void InstallMike();
    void InstallMary();

    // Both tokens afresh, Mike's written before Mary's.
    void installVoices();
    void removeVoices();

    // The English phone symbols with their codes, each vowel followed by its stressed forms.
    static QString phoneMap();

private:
    void removeToken(const QString& voice);
    void installToken(const QString& voice, const QString& gender);

    formats::Registry& registry_;
    QString dataFolder_;
    QString windowsDrive_;
};

} // namespace speech
