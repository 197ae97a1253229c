// image_file.h - screenshots and golden pictures as PNG or BMP files.
//
// Used by the scripted driver, the tests and the tools; the game itself never writes or
// reads a picture file. Pixels are rows of RGB bytes, top row first.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes PNG or BMP by the file name's extension (".png" or ".bmp", any case).
bool WriteImageFile(const std::string& path, const std::vector<uint8_t>& rgb, int width,
                    int height);

// Reads a PNG (8-bit RGB or RGBA; alpha dropped) or a 24-bit BMP written by WriteImageFile.
bool ReadImageFile(const std::string& path, std::vector<uint8_t>* rgb, int* width, int* height);
