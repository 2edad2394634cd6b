#include "initial_file_name.h"

namespace quorvex {

std::u16string InitialFileName(std::u16string_view programFolder, char16_t separator) {
  std::u16string name(programFolder);
  name += separator;
  name += u"*.*";
  return name;
}

}  // namespace quorvex
