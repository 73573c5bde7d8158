// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace platform {

// COM and OLE need no setting up on Linux; the calls keep their places in start-up and shut-down.
inline void CoInitialize() {}
inline void CoUninitialize() {}
inline void OleInitialize() {}
inline void OleUninitialize() {}

} // namespace platform
