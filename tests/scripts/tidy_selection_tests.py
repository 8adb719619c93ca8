#!/usr/bin/env python3
"""The choice of sources scripts/tidy --changed checks, on a small project of its own built with
Ninja in a git repository: tidy_selection_tests.py <scripts/tidy-selection.py>."""
import os
import subprocess
import sys
import tempfile

SELECTION = os.path.abspath(sys.argv[1])
FOLDERS = "chemistry|numbers"

FILES = {
    "CMakeLists.txt": "cmake_minimum_required(VERSION 3.25)\nproject(p CXX)\n"
                      "set(CMAKE_EXPORT_COMPILE_COMMANDS ON)\nadd_subdirectory(chemistry)\n"
                      "add_subdirectory(numbers)\n",
    ".clang-tidy": "Checks: '-*'\n",
    "chemistry/CMakeLists.txt": "add_library(c STATIC a.cpp b.cpp)\n"
                                "target_include_directories(c PUBLIC ${PROJECT_SOURCE_DIR})\n",
    "chemistry/a.h": "int a();\n",
    "chemistry/a.cpp": '#include "chemistry/a.h"\nint a() { return 1; }\n',
    "chemistry/b.cpp": '#include "numbers/n.h"\nint b() { return n(); }\n',
    "numbers/CMakeLists.txt": "add_library(n STATIC n.cpp)\n"
                              "target_include_directories(n PUBLIC ${PROJECT_SOURCE_DIR})\n",
    "numbers/n.h": "inline int n() { return 2; }\n",
    "numbers/n.cpp": '#include "numbers/n.h"\nint unused() { return n(); }\n',
    "numbers/m.h": "int m();\n",
}


def run(*command, cwd, env=None):
    return subprocess.run(command, cwd=cwd, env=env, check=True, capture_output=True, text=True).stdout


def write(root, name, text):
    path = os.path.join(root, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as file:
        file.write(text)


def main():
    work = tempfile.mkdtemp()
    root = os.path.join(work, "project")
    build = os.path.join(root, "build")
    # A clang-tidy that only tells its version, so that the record can name it or another.
    tools = os.path.join(work, "tools")
    write(tools, "clang-tidy", "#!/bin/sh\necho 'LLVM version 99.1.0'\n")
    os.chmod(os.path.join(tools, "clang-tidy"), 0o755)
    env = dict(os.environ, PATH=tools + os.pathsep + os.environ["PATH"])
    for name, text in FILES.items():
        write(root, name, text)
    write(root, ".gitignore", "build/\n")
    run("git", "init", "-q", cwd=root)
    run("git", "add", "-A", cwd=root)
    run("git", "-c", "user.name=t", "-c", "user.email=t@t", "commit", "-qm", "clean", cwd=root)
    clean = run("git", "rev-parse", "HEAD", cwd=root).strip()
    run("cmake", "-S", root, "-B", build, "-G", "Ninja", cwd=root)
    run("cmake", "--build", build, cwd=root)
    # Configured only: compile commands, but no dependency log yet.
    configured = os.path.join(work, "configured")
    run("cmake", "-S", root, "-B", configured, "-G", "Ninja", cwd=root)

    a, b, n = (os.path.join(root, name) for name in ("chemistry/a.cpp", "chemistry/b.cpp", "numbers/n.cpp"))
    record = f"{clean} 99.1.0\n"
    # (what the case does, the record, the change, the build folder, what is checked)
    cases = [
        ("nothing changed", record, {}, build, "some", []),
        ("a header checks the sources that include it", record,
         {"chemistry/a.h": "int a(); // changed\n"}, build, "some", [a]),
        ("a header of another folder included from here", record,
         {"numbers/n.h": "inline int n() { return 3; }\n"}, build, "some", [b, n]),
        ("a source changed in the working tree", record,
         {"numbers/n.cpp": "int unused() { return 4; }\n"}, build, "some", [n]),
        ("a new header nothing includes", record, {"numbers/new.h": "int z();\n"}, build, "some", []),
        ("a folder's CMakeLists.txt checks that folder's sources", record,
         {"chemistry/CMakeLists.txt": FILES["chemistry/CMakeLists.txt"] + "# flags\n"}, build, "some", [a, b]),
        (".clang-tidy checks everything", record, {".clang-tidy": "Checks: '-*,bugprone-*'\n"},
         build, "all", None),
        ("the top CMakeLists.txt checks everything", record,
         {"CMakeLists.txt": FILES["CMakeLists.txt"] + "# flags\n"}, build, "all", None),
        ("cmake/ checks everything", record, {"cmake/rules.cmake": "# rules\n"}, build, "all", None),
        ("a clean commit this history lacks", "0123456789abcdef0123456789abcdef01234567 99.1.0\n",
         {}, build, "all", None),
        ("a record of another clang-tidy", f"{clean} 98.0.0\n", {}, build, "all", None),
        ("no record", None, {}, build, "all", None),
        ("no dependency log: every source", record, {}, configured, "some", [a, b, n]),
    ]
    failures = 0
    for what, recorded, changes, folder, kind, expected in cases:
        run("git", "checkout", "-q", "--", ".", cwd=root)
        run("git", "clean", "-qfd", "-e", "build", cwd=root)
        if recorded is not None:
            write(root, ".ci/tidy-clean", recorded)
        for name, text in changes.items():
            write(root, name, text)
        if recorded is not None:
            # The record itself is not a change of the sources.
            run("git", "add", ".ci/tidy-clean", cwd=root)
            run("git", "-c", "user.name=t", "-c", "user.email=t@t", "commit", "-qm", "record", cwd=root)
        lines = run("python3", SELECTION, root, folder, FOLDERS, cwd=root, env=env).splitlines()
        got_kind = lines[0].split(":", 1)[0]
        got = sorted(lines[1:]) if got_kind == "some" else None
        if got_kind != kind or got != (sorted(expected) if expected is not None else None):
            failures += 1
            print(f"FAIL {what}: expected {kind} {expected}, got {lines}")
        else:
            print(f"ok   {what}: {lines[0]}")
        if recorded is not None:
            run("git", "reset", "-q", "--hard", clean, cwd=root)
    subprocess.run(["rm", "-rf", work], check=False)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
