// The process-wide elapsed-time clock: seconds since the framework started,
// from the high-resolution counter when the machine has one, else from the
// millisecond counter. Started once at start-up, before other threads
// exist, and only read afterwards, so it takes no lock.
#pragma once

void StartElapsedClock();
// Seconds since StartElapsedClock, in single precision; before the start,
// the seconds since the millisecond counter's own zero.
float GetElapsedSeconds();
