// The system's 8-bit code page, Windows-1251, without depending on an
// installed locale.
#pragma once

#include <string>
#include <string_view>

std::string Cp1251ToUtf8(std::string_view bytes);
// Characters without a Windows-1251 form become '?'.
std::string Utf8ToCp1251(std::string_view utf8);
// Upper-cases Latin and Cyrillic letters as the Russian locale does.
std::string UpperCaseCp1251(std::string_view bytes);
