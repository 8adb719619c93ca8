#!/usr/bin/env python3
"""Chooses the sources scripts/tidy checks: every one, or those a change since a clean commit can
have altered.

    scripts/tidy-selection.py ROOT BUILD_FOLDER FOLDERS_REGEX

BUILD_FOLDER holds the compile commands clang-tidy uses; once built, its ninja dependency log tells
which headers each source includes.

Prints "all: <reason>" followed by nothing else, or "some: <reason>" followed by one source path a
line (possibly none). A source's findings depend only on its translation unit (the file, the
headers it includes, its compile command) and on .clang-tidy and clang-tidy itself, so a source
needs checking again when one of those changed since a commit on which every source was clean:
 - the clean commit is the first word of .ci/tidy-clean, its second the clang-tidy version it was
   checked with; a missing record, a commit that is not in the history, or another clang-tidy
   version checks everything;
 - the change runs from the merge-base of that commit and HEAD to the working tree, untracked
   files included;
 - .clang-tidy, the tidy scripts, the top CMakeLists.txt and cmake/ check everything; a folder's
   CMakeLists.txt checks the sources under that folder (its targets' flags);
 - a changed header checks every source whose object depends on it, as the build folder's ninja
   dependency log records it; a source without a recorded object there is checked.
"""
import json
import os
import re
import shlex
import subprocess
import sys

EVERYTHING = (".clang-tidy", "scripts/tidy", "scripts/tidy-selection.py", "CMakeLists.txt")


def git(root, *args):
    result = subprocess.run(["git", "-C", root, *args], capture_output=True, text=True)
    return result.returncode, result.stdout


def clang_tidy_version():
    result = subprocess.run(["clang-tidy", "--version"], capture_output=True, text=True)
    match = re.search(r"version (\S+)", result.stdout)
    return match.group(1) if match else ""


def clean_base(root):
    """The merge-base with the recorded clean commit, or (None, why not)."""
    record = os.path.join(root, ".ci", "tidy-clean")
    try:
        with open(record, encoding="utf-8") as file:
            words = file.read().split()
    except OSError:
        return None, "no .ci/tidy-clean"
    if len(words) < 2:
        return None, ".ci/tidy-clean does not name a commit and a clang-tidy version"
    commit, version = words[0], words[1]
    if version != clang_tidy_version():
        return None, f"checked clean with clang-tidy {version}, this is {clang_tidy_version()}"
    status, base = git(root, "merge-base", commit, "HEAD")
    if status != 0 or not base.strip():
        return None, f"the clean commit {commit[:12]} is not in this history"
    return base.strip(), ""


def changed_files(root, base):
    changed = set()
    _, diff = git(root, "diff", "--name-only", "--no-renames", base, "--")
    changed.update(line for line in diff.splitlines() if line)
    _, untracked = git(root, "ls-files", "--others", "--exclude-standard")
    changed.update(line for line in untracked.splitlines() if line)
    return changed


def object_dependencies(build):
    """Maps each object file (absolute path) to the absolute paths of what it was compiled from."""
    result = subprocess.run(["ninja", "-C", build, "-t", "deps"], capture_output=True, text=True)
    deps = {}
    current = None
    for line in result.stdout.splitlines():
        if not line.strip():
            current = None
        elif not line.startswith(" "):
            name = line.split(":", 1)[0]
            current = deps.setdefault(os.path.normpath(os.path.join(build, name)), set())
        elif current is not None:
            current.add(os.path.normpath(os.path.join(build, line.strip())))
    return deps


def compile_commands(folder):
    try:
        with open(os.path.join(folder, "compile_commands.json"), encoding="utf-8") as file:
            return json.load(file)
    except OSError:
        return []


def object_of(entry):
    """The object file a compile command writes (the database of CMake 3.25 has no "output")."""
    arguments = entry.get("arguments") or shlex.split(entry["command"])
    for flag, value in zip(arguments, arguments[1:]):
        if flag == "-o":
            return os.path.normpath(os.path.join(entry["directory"], value))
    return None


def main():
    root, build, folders = sys.argv[1:4]
    root = os.path.realpath(root)
    build = os.path.realpath(build)
    source_pattern = re.compile(rf"^{re.escape(root)}/({folders})/.*\.cpp$")
    objects = {}
    for entry in compile_commands(build):
        path = os.path.normpath(os.path.join(entry["directory"], entry["file"]))
        if source_pattern.match(path):
            objects[path] = object_of(entry)

    base, why = clean_base(root)
    if base is None:
        print(f"all: {why}")
        return
    changed = changed_files(root, base)
    for name in sorted(changed):
        if name in EVERYTHING or name.startswith("cmake/"):
            print(f"all: {name} changed since {base[:12]}")
            return

    changed_paths = {os.path.join(root, name) for name in changed}
    folders_changed = [os.path.join(root, os.path.dirname(name)) + "/"
                       for name in changed if os.path.basename(name) == "CMakeLists.txt"]
    deps = object_dependencies(build)
    chosen = []
    for source, output in sorted(objects.items()):
        recorded = deps.get(output)
        if (recorded is None or source in changed_paths or recorded & changed_paths
                or any(source.startswith(folder) for folder in folders_changed)):
            chosen.append(source)
    print(f"some: {len(chosen)} of {len(objects)} sources, after changes since {base[:12]}")
    for source in chosen:
        print(source)


if __name__ == "__main__":
    main()
