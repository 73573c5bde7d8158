// SPDX-License-Identifier: GPL-3.0-or-later

#include "live/HookChannel.h"

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/mman.h>
#include <sys/stat.h>

namespace live {

std::string hookMemoryName()
{
    return "/TestHook" + std::to_string(::getuid());
}

FileDescriptor openHookMemory(int flags)
{
    FileDescriptor fd(::shm_open(hookMemoryName().c_str(), flags, S_IRUSR | S_IWUSR));
    struct stat status {};
    if (!fd.valid() || ::fstat(fd.get(), &status) != 0 || status.st_uid != ::getuid())
        return {};
    return fd;
}

void storeWindow(unsigned char* block, std::uint32_t window)
{
    for (std::size_t i = 0; i < HookBlock{}.size(); ++i)
        block[i] = static_cast<unsigned char>(window >> (8 * i));
}

std::uint32_t loadWindow(const HookBlock& block)
{
    std::uint32_t window = 0;
    for (std::size_t i = 0; i < block.size(); ++i)
        window |= std::uint32_t{block[i]} << (8 * i);
    return window;
}

xcb_atom_t internHookAtom(xcb_connection_t* connection)
{
    const auto cookie = xcb_intern_atom(connection, 0, std::strlen(hookAtomName), hookAtomName);
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

} // namespace live
