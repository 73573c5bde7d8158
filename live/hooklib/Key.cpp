// SPDX-License-Identifier: GPL-3.0-or-later

#include "live/hooklib/KeyListener.h"

#include <memory>
#include <mutex>

namespace {

std::mutex listenerGuard;
std::unique_ptr<live::KeyListener> listener;

} // namespace

extern "C" __attribute__((visibility("default"))) void HookOn()
{
    const std::scoped_lock lock(listenerGuard);
    if (!listener)
        listener = std::make_unique<live::KeyListener>();
}

extern "C" __attribute__((visibility("default"))) void HookOff()
{
    const std::scoped_lock lock(listenerGuard);
    listener.reset();
}
