#pragma once
// The program's fixed texts and addresses.

#ifndef VEILOR_SERVER_BASE
// The maker's web server. Fixed at build time; no trailing slash.
#define VEILOR_SERVER_BASE "http://veilor.example.com"
#endif

namespace app {

inline constexpr const char* kTitle = "Veilor";
inline constexpr const char* kVersion = "V1.0 正式版";
inline constexpr const char* kServerBase = VEILOR_SERVER_BASE;
inline constexpr const char* kNewsPath = "/softs/veilsp/veilsp.php";
inline constexpr const char* kHelpPath = "/softs/veilsp/faq_veilsp.html";
inline constexpr const char* kRepairPath = "/softs/TamroFix/TamroFix.htm";
// The command the second copy of the program hands to the first.
inline constexpr const char* kShowCommand = "Show";

}  // namespace app
