// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "speech/ReadingWidgets.h"

namespace testsupport {

using speech::ReadingWidgets;

} // namespace testsupport
