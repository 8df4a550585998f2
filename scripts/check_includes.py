#!/usr/bin/env python3
"""Keeps every #include within the module graph that CMake links.

A module is a folder with include/<name>/ (its public headers) and src/ (its
own parts); tests/ beside them may also see src/. Reads the compile commands
of a configured build and fails when

  - a target is given an include folder that is neither a module's include/
    nor a folder of its own module (so a module cannot reach into another one);
  - a file includes "<name>/X.h" of a module its target does not link;
  - a file includes a header by a relative path with "..";
  - a header includes a module that none of its own module's targets link.

Usage: check_includes.py BUILD_DIR
"""
import json
import os
import re
import shlex
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
# Folders that are not modules: benchmarks are built on request only.
IGNORED = ('bench/',)


def modules():
    """The module folders (relative to the root): those with a src/ folder
    and a CMakeLists.txt; and public include name -> module folder."""
    folders, roots = set(), {}
    for folder, dirs, files in os.walk(ROOT):
        rel = os.path.relpath(folder, ROOT)
        if rel.startswith(('build', '.git', 'bench')) or '/build' in rel:
            dirs[:] = []
            continue
        if 'src' in dirs and 'CMakeLists.txt' in files:
            folders.add(rel)
        if os.path.basename(folder) == 'include' and rel != 'include':
            for name in dirs:
                roots[name] = os.path.dirname(rel)
    return folders, roots


def module_of(path, folders):
    """The module folder a repository file belongs to (the deepest that holds it)."""
    best = None
    for root in folders:
        if path.startswith(root + '/') and (best is None or len(root) > len(best)):
            best = root
    return best


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    build = os.path.abspath(sys.argv[1])
    commands = json.load(open(os.path.join(build, 'compile_commands.json')))
    folders, roots = modules()
    name_of_root = {root: name for name, root in roots.items()}
    problems = []
    linked_by_module = {}

    for entry in commands:
        source = os.path.relpath(os.path.normpath(entry['file']), ROOT)
        if source.startswith(IGNORED) or source.startswith('..') or entry['file'].startswith(build):
            continue  # benchmarks, and files the build generates
        module = module_of(source, folders)
        allowed = set()
        for argument in shlex.split(entry['command']):
            if not argument.startswith('-I'):
                continue
            folder = os.path.normpath(argument[2:])
            if folder.startswith(build) or not folder.startswith(ROOT):
                continue  # generated files and the system's headers
            rel = os.path.relpath(folder, ROOT)
            if os.path.basename(rel) == 'include' and os.path.dirname(rel) in name_of_root:
                allowed.add(name_of_root[os.path.dirname(rel)])
            elif module is not None and module_of(rel + '/', folders) == module:
                pass  # its own parts (src/, a program's folder, its tests' support)
            else:
                problems.append(f'{source}: its target sees {rel}/, which is no module\'s include/')
        if module is not None:
            linked_by_module.setdefault(module, set()).update(allowed)
        problems += check_file(source, module, allowed, roots)

    for module, linked in linked_by_module.items():
        for folder, _, files in os.walk(os.path.join(ROOT, module)):
            for file in files:
                header = os.path.relpath(os.path.join(folder, file), ROOT)
                if header.endswith('.h') and module_of(header, folders) == module:
                    own = {name_of_root[module]} if module in name_of_root else set()
                    problems += check_file(header, module, linked | own, roots)

    for problem in sorted(set(problems)):
        print(problem)
    print(f'include check: {len(set(problems))} problems in {len(commands)} files')
    return 1 if problems else 0


def check_file(path, module, allowed, roots):
    problems = []
    text = open(os.path.join(ROOT, path), errors='replace').read()
    for included in INCLUDE.findall(text):
        if '..' in included.split('/'):
            problems.append(f'{path}: includes "{included}" by a relative path')
        elif '/' in included:
            name = included.split('/')[0]
            private = name not in roots and module is not None and os.path.exists(
                os.path.join(ROOT, module, 'src', included))
            if name not in allowed and not private:
                problems.append(f'{path}: includes "{included}" but does not link module "{name}"')
    return problems


if __name__ == '__main__':
    sys.exit(main())
