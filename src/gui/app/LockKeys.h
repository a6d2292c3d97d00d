#pragma once

// State of the lock keys: bit 0 Caps Lock, bit 1 Num Lock, bit 2 Scroll Lock.
// 0 where the platform does not tell.
unsigned int LockKeyState();
