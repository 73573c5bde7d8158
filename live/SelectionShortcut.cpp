// SPDX-License-Identifier: GPL-3.0-or-later

#include "live/SelectionShortcut.h"

#include "platform/ShortcutPortal.h"

#include <QKeySequence>

namespace live {

namespace {

const QString shortcutId = QStringLiteral("read-selection");

} // namespace

QKeyCombination SelectionShortcut::defaultCombination()
{
    return QKeyCombination(Qt::ControlModifier | Qt::AltModifier, Qt::Key_Space);
}

SelectionShortcut::SelectionShortcut(bool keysCanBeHeard, std::function<void()> readSelection,
                                     QObject* parent)
    : QObject(parent)
    , readSelection_(std::move(readSelection))
    , reach_(keysCanBeHeard ? Reach::KeyHook : Reach::None)
{
    if (keysCanBeHeard)
        return;
    portal_ = std::make_unique<platform::ShortcutPortal>();
    connect(portal_.get(), &platform::ShortcutPortal::bound, this,
            [this] { setReach(Reach::Portal); });
    connect(portal_.get(), &platform::ShortcutPortal::unavailable, this,
            [this] { setReach(Reach::None); });
    connect(portal_.get(), &platform::ShortcutPortal::activated, this, [this](const QString& id) {
        if (id == shortcutId)
            readSelection_();
    });
}

SelectionShortcut::~SelectionShortcut() = default;

void SelectionShortcut::restore(const std::optional<QString>& stored, const QString& description)
{
    QKeyCombination combination = defaultCombination();
    if (stored) {
        const QKeySequence sequence = QKeySequence::fromString(*stored, QKeySequence::PortableText);
        combination = sequence.isEmpty() ? QKeyCombination() : sequence[0];
    }
    apply(combination, description);
}

void SelectionShortcut::choose(QKeyCombination combination, const QString& description)
{
    chosen_ = true;
    apply(combination, description);
}

std::optional<QString> SelectionShortcut::stored() const
{
    if (!chosen_)
        return std::nullopt;
    return QKeySequence(combination()).toString(QKeySequence::PortableText);
}

void SelectionShortcut::apply(QKeyCombination combination, const QString& description)
{
    matcher_.setCombination(combination);
    if (!portal_)
        return;
    const QString trigger = platform::xdgTrigger(combination);
    portal_->bind(shortcutId, description, trigger);
    if (!trigger.isEmpty())
        setReach(Reach::Asking);
}

bool SelectionShortcut::keyMessage(std::uint32_t lParam)
{
    switch (matcher_.keyMessage(lParam)) {
    case ShortcutMatcher::Outcome::Pressed:
        readSelection_();
        return false;
    case ShortcutMatcher::Outcome::Swallowed:
        return false;
    case ShortcutMatcher::Outcome::Other:
        break;
    }
    return true;
}

void SelectionShortcut::setReach(Reach reach)
{
    reach_ = reach;
    emit reachChanged();
}

} // namespace live
