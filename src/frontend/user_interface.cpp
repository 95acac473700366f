#include "frontend/user_interface.h"

namespace frontend {

std::string ErrorBoxText(std::string_view AMessage) {
  constexpr std::string_view kEndings = " !\"#$%&'()*+,-.;";
  std::string text(AMessage);
  if (text.empty() || kEndings.find(text.back()) == std::string_view::npos) text += '.';
  return text;
}

}  // namespace frontend
