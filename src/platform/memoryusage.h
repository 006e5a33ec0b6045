#pragma once

namespace yw {

// The process's resident memory in KiB (VmRSS), or -1 where /proc is not available.
long residentKiB();

} // namespace yw
