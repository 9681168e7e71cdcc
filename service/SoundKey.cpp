#include "SoundKey.h"

namespace kivo::service {

char SoundGroup(char c)
{
    switch (c) {
    case 'B': case 'F': case 'P': case 'V': return '1';
    case 'C': case 'G': case 'J': case 'K': case 'Q': case 'S': case 'X': case 'Z': return '2';
    case 'D': case 'T': return '3';
    case 'L': return '4';
    case 'M': case 'N': return '5';
    case 'R': return '6';
    case 'A': case 'E': case 'I': case 'O': case 'U': case 'Y': case 'H': case 'W': return 'A';
    default: return c;  // digits
    }
}

std::string SoundKey(std::string_view token)
{
    std::string key;
    char last = 0;
    for (std::size_t i = 0; i < token.size(); ++i) {
        const char group = SoundGroup(token[i]);
        if (i == 0) key += group;  // OSAMA and USAMA share their key
        else if (group != 'A' && group != last) key += group;
        last = group;
    }
    return key;
}

}  // namespace kivo::service
