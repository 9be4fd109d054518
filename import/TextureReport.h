// Textures that fail to load while a report is open (a model read, a reload of every
// material) are told in one message when the outermost report closes: the first file names
// and, when there are more, how many files failed in all. Without an open report a failure
// is told at once.
#pragma once

#include <string>

class TextureReport {
public:
    TextureReport();
    ~TextureReport();
    TextureReport(const TextureReport&) = delete;
    TextureReport& operator=(const TextureReport&) = delete;

    // A texture name (CP932) that could not be loaded.
    static void Failed(const std::string& textureName);
    // Forgets the failures collected so far: the open report will tell none of them.
    static void Discard();
};
