// Objects whose vertices the model readers could not take, because the file keeps them only
// in binary BVertex blocks (which the readers skip): told in one message when the outermost
// open report closes, naming the first objects and counting the rest, so that a model that
// comes out empty does not do so without a word. Without an open report an object is told at
// once.
#pragma once

#include <string>

class BinaryVertexReport {
public:
    BinaryVertexReport();
    ~BinaryVertexReport();
    BinaryVertexReport(const BinaryVertexReport&) = delete;
    BinaryVertexReport& operator=(const BinaryVertexReport&) = delete;

    // An object (its CP932 name) read without vertices for want of reading its BVertex block.
    static void Skipped(const std::string& objectName);
    // Forgets the objects gathered so far: the open report will tell none of them.
    static void Discard();
};
