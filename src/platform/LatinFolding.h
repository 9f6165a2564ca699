#pragma once

namespace lexiscoop {

// The ASCII letters that stand for `code` in a text converted to CP932,
// which has no Latin letters with diacritics: «e» for «é», «ss» for «ß»,
// «AE» for «Æ», «fi» for the ligature «ﬁ»; "" for a combining diacritical
// mark (its letter stands before it); nullptr for any other character.
const char* AsciiFoldOf(char32_t code);

}  // namespace lexiscoop
