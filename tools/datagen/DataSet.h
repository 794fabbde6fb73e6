#pragma once

#include <string>
#include <vector>

// Writes every data file of the game under root (root/data/...). The paths
// written, relative to root with '/' separators, are appended to written in
// the order they were made. False when a file could not be written.
bool generateDataSet(const std::string& root, std::vector<std::string>& written);
