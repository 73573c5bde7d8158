// SPDX-License-Identifier: GPL-3.0-or-later

#include <cstdlib>
#include <string>

// Stands in for the hook library, writing each call it gets into an environment variable.
namespace {

void record(const char* call)
{
    const char* calls = std::getenv("FAKE_KEY_HOOK_CALLS");
    ::setenv("FAKE_KEY_HOOK_CALLS", (std::string(calls ? calls : "") + call + ";").c_str(), 1);
}

} // namespace

extern "C" void HookOn()
{
    record("HookOn");
}

#ifdef FAKE_KEY_HOOK_OFF
extern "C" void HookOff()
{
    record("HookOff");
}
#endif
