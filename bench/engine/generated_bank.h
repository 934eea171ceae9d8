#pragma once

// Question banks for the start-up benchmark, generated once into a folder of
// the build tree and reused by later runs.

#include <string>

namespace zentrix::bench {

// A bank of `courses` courses with `examsPerCourse` exams each (no
// questions). Gives the database folder, ending with '/'; empty on failure.
std::string GeneratedBank(const std::string& parentFolder, int courses, int examsPerCourse);

}  // namespace zentrix::bench
