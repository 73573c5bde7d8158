#pragma once

#include "speech/ReadingWidgets.h"

namespace testsupport {

using speech::ReadingWidgets;

} // namespace testsupport
