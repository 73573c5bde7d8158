// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace platform {

// Shows the wait cursor over the program's windows while it lives, for work that holds up the
// event loop; the cursor comes back however the work ends.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace platform
