// vireltra_exercise_builder <sources folder> <data folder>
// Builds every exercise source ("*.txt") of the sources folder into the data folder. Each fault
// is reported as "<file>:<line>: <message>" and makes the build fail.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "tools/exercisebuilder.h"
#include "tools/exercisesource.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: vireltra_exercise_builder <sources folder> <data folder>\n";
        return 2;
    }
    const fs::path sources = argv[1];
    const fs::path data = argv[2];
    std::vector<fs::path> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(sources, error)) {
        if (entry.is_regular_file() && entry.path().extension() == ".txt") files.push_back(entry.path());
    }
    if (error || files.empty()) {
        std::cerr << sources.string() << ": no exercise source found\n";
        return 1;
    }
    std::sort(files.begin(), files.end());
    int faults = 0;
    int gettingStarted = 0;
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        tools::SourceError fault;
        const auto source = tools::parseExerciseSource(text, file.stem().string(), fault);
        std::string written;
        if (!source) {
            std::cerr << file.string() << ":" << fault.line << ": " << fault.message << "\n";
            ++faults;
        } else if (source->gettingStarted && ++gettingStarted > 1) {
            std::cerr << file.string() << ":1: a second getting-started exercise\n";
            ++faults;
        } else if (!tools::buildExercise(*source, data, written)) {
            std::cerr << file.string() << ": " << written << "\n";
            ++faults;
        }
    }
    return faults == 0 ? 0 : 1;
}
