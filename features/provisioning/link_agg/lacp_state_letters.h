#pragma once
// The letters of an LACP operation state, bit 0 first: A (activity), T (short timeout), G (aggregable), S (in sync),
// C (collecting), D (distributing), F (defaulted partner information), E (expired), joined by ","; a state of 0
// gives an empty text. 0x3D gives "A,G,S,C,D".

#include <cstdint>
#include <string>

std::string LacpStateLetters(uint8_t state);
