// The server the update test's own copy of Veilor.exe talks to: the driver's loopback one.
#include "app/constants.h"

namespace app {

const char* const kServerBase = "http://127.0.0.1:47815";

}  // namespace app
