#pragma once
// How letters sound, for names written in other alphabets and transliterated in several ways.

#include <string>
#include <string_view>

namespace kivo::service {

// The group of a letter: '1' B F P V, '2' C G J K Q S X Z, '3' D T, '4' L, '5' M N, '6' R,
// 'A' for vowels and H W Y; digits stand for themselves.
char SoundGroup(char letter);

// The sound key of a token: its first letter's group, then the groups of the following
// consonants, a group repeated without a vowel between written once: MOHAMMED and MUHAMMAD
// are both "553".
std::string SoundKey(std::string_view token);

}  // namespace kivo::service
