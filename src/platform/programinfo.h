#pragma once

// The program's home page: Help's "Mirabook on the Web" and the published pages link to it.
inline constexpr const char *ProgramHomePage = "https://mirabook.org/";
