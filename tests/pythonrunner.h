#pragma once
// Runs an exported Python program as a pupil would, in a folder of its own, with the python3 that
// has numpy and matplotlib (Agg, so that plt.show() returns at once).
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "tests/support/childprocess.h"

namespace testing_python {

// The python3 that has numpy and matplotlib: the one on the PATH, else the system's own.
inline const std::optional<std::string>& python() {
    static const std::optional<std::string> found = []() -> std::optional<std::string> {
        for (const char* candidate : {"python3", "/usr/bin/python3"}) {
            const std::string probe =
                std::string(candidate) + " -c 'import numpy, matplotlib' >/dev/null 2>&1";
            if (std::system(probe.c_str()) == 0) return std::string(candidate);
        }
        return std::nullopt;
    }();
    return found;
}

struct Ran {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A temporary folder, removed with the object, where `program` is written and run.
class PythonFolder {
  public:
    PythonFolder() {
        static int made = 0;
        m_folder =
            std::filesystem::temp_directory_path() /
            ("vireltra-python-" + std::to_string(testsupport::processId()) + "-" + std::to_string(++made));
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder);
    }
    ~PythonFolder() { std::filesystem::remove_all(m_folder); }
    PythonFolder(const PythonFolder&) = delete;
    PythonFolder& operator=(const PythonFolder&) = delete;

    void write(const std::string& name, const std::string& text) const {
        std::ofstream(m_folder / name, std::ios::binary) << text;
    }
    // `python3 <arguments>` in the folder.
    Ran run(const std::string& arguments) const {
        const std::string command = "cd '" + m_folder.string() + "' && MPLBACKEND=Agg " + *python() + " " +
                                    arguments + " >out.txt 2>err.txt";
        Ran ran;
        const int status = std::system(command.c_str());
        ran.status = testsupport::exitCodeOfSystem(status);
        ran.out = readAll(m_folder / "out.txt");
        ran.err = readAll(m_folder / "err.txt");
        return ran;
    }

  private:
    std::filesystem::path m_folder;
};

}  // namespace testing_python
