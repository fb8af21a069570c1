#pragma once

#include "canvas.h"

#include <string>

// Saves a canvas as a 32-bit RGBA PNG through an SDL surface; throws std::runtime_error on failure.
void SavePng(const Canvas& canvas, const std::string& path);
