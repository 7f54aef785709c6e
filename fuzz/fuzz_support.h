#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>

class TBook;

// A folder of its own for the whole run; each input is written to a file in it.
QString FuzzDir();
// Writes the input to FuzzDir()/name and returns the path.
QString WriteInput(const char* name, const uint8_t* data, size_t size);
// Stops the run, so that libFuzzer keeps the input, when a check fails.
void Require(bool holds, const char* what);
// Saves book to a file of its own and reads it again: what a book shows (the first value of
// each option whose name XML can hold; the memos with text) must come back unchanged.
void RequireRoundTrip(TBook& book);
