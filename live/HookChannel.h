// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "live/FileDescriptor.h"

#include <array>
#include <cstdint>
#include <string>
#include <xcb/xcb.h>

namespace live {

// What the hook library and the window agree on: the client message that carries a keystroke, and
// the shared memory block that names the window to send it to.
inline constexpr std::uint32_t hookMessage = 0x1400;
inline constexpr char hookAtomName[] = "LECTORIX_KEYHOOK";
using HookBlock = std::array<unsigned char, 4>;

// One block per account, so no other account can read or redirect the keystrokes.
std::string hookMemoryName();

// shm_open with mode 0600, refusing a block that another account made first.
FileDescriptor openHookMemory(int flags);

void storeWindow(unsigned char* block, std::uint32_t window);
std::uint32_t loadWindow(const HookBlock& block);

// XCB_ATOM_NONE when the server does not answer.
xcb_atom_t internHookAtom(xcb_connection_t* connection);

} // namespace live
