// SPDX-License-Identifier: GPL-3.0-or-later

// Chromium, inside Qt WebEngine, frees some objects through a base of another size, which the
// address sanitizer would stop the reader for; nothing of ours does that.
extern "C" const char* __asan_default_options()
{
    return "new_delete_type_mismatch=0";
}
