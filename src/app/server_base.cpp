#include "app/constants.h"

#ifndef VEILOR_SERVER_BASE
#define VEILOR_SERVER_BASE "https://veilor.example.com"
#endif

namespace app {

const char* const kServerBase = VEILOR_SERVER_BASE;

}  // namespace app
