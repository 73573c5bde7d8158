// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <QString>

// The values kept between runs, with the defaults of a first start.
struct StoredSettings {
    int engine = -1;
    QString speakKey = QStringLiteral("All");
    QString showKeyWord = QStringLiteral("No");
    QString showClipBrdText = QStringLiteral("No");
    QString speakClipBrd = QStringLiteral("Yes");
    int rate = 0;
    int volume = 80;
    QString font;
    int color = -16777211;
    int wordWrap = 1;
    bool toolBar = true;
    bool addressBar = true;
    bool progressBar = true;
    bool propertyBar = true;
    // The interface language chosen in its menu; empty to follow the desktop's.
    QString language;
    // The key that reads any program's selection, as Qt writes it; none for the default.
    std::optional<QString> readSelectionKey;
};
