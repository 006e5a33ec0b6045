#pragma once

namespace yw {

// The process's resident memory in KiB (VmRSS), or -1 where /proc is not available.
long residentKiB();

// The processor time the process has used so far, all threads, user and system, in microseconds.
// Unlike the wall clock it hardly depends on what else the machine is doing.
long long cpuMicroseconds();

} // namespace yw
