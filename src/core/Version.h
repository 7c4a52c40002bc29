#pragma once

// The program's version: what T_Version's last row must hold for this
// program to start, and what the status bar and the application report.
inline constexpr const char* kProgramVersion = "2.0";
