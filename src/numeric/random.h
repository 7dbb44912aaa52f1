// Uniform deviates in [0, 1): three linear congruential generators with a 97-entry shuffle table.
#pragma once

namespace bramble {

// Seeds itself on the first call (or whenever seed is negative) and then sets seed to 1.
double ran1(int& seed);

// Forgets the seeding, as at program start (for tests that need the sequence from the start).
void ran1_forget_seed();

}  // namespace bramble
