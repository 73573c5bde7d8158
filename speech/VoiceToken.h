// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>
#include <QString>
#include <vector>

namespace speech {

// One installed voice, as the engine lists it. Holders share it: each copy of the pointer is one
// counted reference.
class VoiceToken {
public:
    virtual ~VoiceToken() = default;

    virtual QString Id() const = 0;
    virtual QString GetDescription(int locale = 0) const = 0;
};

using VoiceTokenPtr = std::shared_ptr<const VoiceToken>;
using VoiceTokens = std::vector<VoiceTokenPtr>;

} // namespace speech
