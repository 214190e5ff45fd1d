#pragma once

// What the user tells us in the bug-report window's contact view, and the
// "contact.txt" it is kept as in the report folder: UTF-8, Windows line ends,
// one labelled line per field and the free text after its label, so a
// person reading the report sees at once which answer is which.

#include <string>

namespace velmoran::crash {

struct Contact {
  std::u16string name;
  std::u16string email;
  std::u16string doing;  // what the user was doing when the program failed
};

std::string ContactText(const Contact& contact);

}  // namespace velmoran::crash
