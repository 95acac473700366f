#include "frontend/form_boxes.h"

namespace frontend {

std::string OutputPathFor(const std::string& AItemsFile) {
  // Characters, not bytes: a UTF-8 sequence is dropped whole.
  std::size_t end = AItemsFile.size();
  for (int dropped = 0; dropped < 4 && end > 0; ++dropped) {
    do --end;
    while (end > 0 && (static_cast<unsigned char>(AItemsFile[end]) & 0xC0) == 0x80);
  }
  return AItemsFile.substr(0, end) + ".dbf";
}

}  // namespace frontend
