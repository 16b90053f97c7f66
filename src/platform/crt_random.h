#pragma once
// The C runtime's random generator, the game's only one: state x 214013 +
// 2531011, result bits 16..30 (0..32767).
namespace platform {

constexpr int RAND_MAX_VALUE = 32767;
void srand(unsigned seed);
int rand();

}  // namespace platform
