#pragma once

// Lets the window go on working for `ms` milliseconds: pending events are
// handled at least once, then the event loop runs until the time has passed.
// Waits for child processes are loops of Delay(10).
void Delay(int ms);
