// Any text either fails with EParserError or parses into a tree that writes
// and parses back to the same tree.
#include <cstdlib>

#include "host/Exceptions.h"
#include "host/FormText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const String text = UTF8ToString(std::string_view(reinterpret_cast<const char*>(Data), Size));
  TFormObject tree;
  try {
    tree = ParseFormText(text);
  } catch (const EParserError&) {
    return 0;
  }
  if (!SameFormTree(ParseFormText(WriteFormText(tree)), tree)) std::abort();
  return 0;
}
