// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <QLockFile>
#include <QString>
#include <stdexcept>

namespace documents {

// Copies of the program share the data folder, and with it the converters' temporary files and
// the word processor's profile: one conversion at a time keeps each copy from loading another's
// text. Held for the lifetime of the object.
class ConversionLock {
public:
    struct Busy : std::runtime_error {
        using std::runtime_error::runtime_error;
    };

    // Waits, painting, up to `limit` for another copy's conversion to end; throws Busy if it
    // does not.
    ConversionLock(const QString& dataFolder, std::chrono::milliseconds limit,
                   const QString& document);

private:
    QLockFile lock_;
};

} // namespace documents
