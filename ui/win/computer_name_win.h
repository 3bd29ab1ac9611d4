// The computer's name as the About box shows it.
#pragma once

#include <string>

namespace canopex {

// The value "ComputerName" of the key
// HKLM\SYSTEM\CurrentControlSet\Control\ComputerName\ActiveComputerName
// up to its first NUL; at most 128 bytes are read, so a name of up to 127
// characters comes back whole. Empty when the key or the value cannot be
// read or the value is longer than 128 bytes.
std::string GetComputerNameText();

}  // namespace canopex
