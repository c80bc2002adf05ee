#include "app/fatal.h"

#include <cstdlib>
#include <string>

#include "app/texts.h"

namespace wc {

void FatalError(Services& services, std::string_view message) {
  std::string text = texts::kErrorPrefix;
  text.append(message);
  text.append("\r\n");
  services.ShowMessage(text, texts::kErrorTitle, MessageKind::Error);
  services.ExitProcess(-1);
  std::abort();  // not reached: a virtual call does not carry its [[noreturn]] to the compiler
}

}  // namespace wc
