// Base64 with the standard alphabet and '=' padding.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

std::string Base64Encode(const unsigned char* data, size_t length);
// False for a length that is not a multiple of 4, a byte outside the alphabet or misplaced '='.
bool Base64Decode(const char* text, size_t length, std::vector<unsigned char>& out);
