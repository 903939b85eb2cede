// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorvale {

/// Waits a short moment (@p count × 10 ms, at most 40 ms) while the event
/// loop of the calling thread keeps running.
void pause(int count);

} // namespace quorvale
