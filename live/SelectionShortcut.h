// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "live/ShortcutMatcher.h"

#include <functional>
#include <memory>
#include <optional>
#include <QObject>

namespace platform {
class ShortcutPortal;
}

namespace live {

// The key that reads what is selected in any program: heard through the key hook on X11, bound
// through the desktop's portal elsewhere.
class SelectionShortcut : public QObject {
    Q_OBJECT

public:
    enum class Reach { KeyHook, Portal, Asking, None };

    static QKeyCombination defaultCombination();

    SelectionShortcut(bool keysCanBeHeard, std::function<void()> readSelection,
                      QObject* parent = nullptr);
    ~SelectionShortcut() override;

    // The combination stored as text: none for the default, empty for no shortcut. The
    // description is what the desktop shows where it lists the shortcut.
    void restore(const std::optional<QString>& stored, const QString& description);
    void choose(QKeyCombination combination, const QString& description);
    // None while the user has never chosen, so that the default can change.
    std::optional<QString> stored() const;
    QKeyCombination combination() const { return matcher_.combination(); }
    Reach reach() const { return reach_; }

    // Handles one key of the hook; false for a key of the shortcut, which is not to be spoken.
    bool keyMessage(std::uint32_t lParam);

signals:
    void reachChanged();

private:
    void apply(QKeyCombination combination, const QString& description);
    void setReach(Reach reach);

    std::function<void()> readSelection_;
    ShortcutMatcher matcher_;
    std::unique_ptr<platform::ShortcutPortal> portal_;
    Reach reach_;
    bool chosen_ = false;
};

} // namespace live
