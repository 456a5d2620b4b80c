#pragma once
// The program's fixed texts and addresses.
#include "core/version.h"

namespace app {

inline constexpr const char* kTitle = "Veilor";
inline constexpr const char* kVersion = "V" VEILOR_VERSION_SHORT " 正式版";
// The maker's web server, scheme and host without a trailing slash; fixed at build time
// (server_base.cpp), so a test build can point it at a server of its own.
extern const char* const kServerBase;
inline constexpr const char* kNewsPath = "/softs/veilsp/veilsp.php";
inline constexpr const char* kHelpPath = "/softs/veilsp/faq_veilsp.html";
inline constexpr const char* kRepairPath = "/softs/TamroFix/TamroFix.htm";
// The command the second copy of the program hands to the first.
inline constexpr const char* kShowCommand = "Show";

}  // namespace app
