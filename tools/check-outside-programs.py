#!/usr/bin/python3
"""Checks that tools/install-deps.sh installs every outside program the
build, the tests and the tools run.

    tools/check-outside-programs.py [--list-file FILE]

Reads the declared list (tools/outside-programs: program or python3:MODULE,
package, group) and, for each line:
  - the package must be one that install-deps.sh installs for that group, or
    one those packages depend on, or one every Debian system has (Essential
    or Priority required);
  - where the program or module is on this system, the package that really
    ships it (dpkg -S) must be such a package too;
  - a program of the base group must be on this system (the base group is
    installed before this check runs).
Every module the project's own Python files import is checked the same way.
Each failure names the package. Exit 0 when all is well, 1 otherwise.
Uses Debian's Python and PATH only: a program found only under /usr/local
or in a user's folder proves nothing about a fresh machine.
"""

import ast
import importlib.util
import os
import pathlib
import shutil
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
SYSTEM_PATH = "/usr/sbin:/usr/bin:/sbin:/bin"
GROUPS = ("base", "fuzz", "package", "stations", "screenshots", "memory")


def install_deps_packages(group):
    args = ["sh", str(ROOT / "tools/install-deps.sh"), "--list"]
    if group != "base":
        args.append(group)
    out = subprocess.run(args, check=True, capture_output=True, text=True).stdout
    return set(out.split())


def installed_packages():
    """Installed packages: name -> (direct dependencies, always there)."""
    out = subprocess.run(
        ["dpkg-query", "-W", "-f",
         "${Package}\t${db:Status-Status}\t${Essential}\t${Priority}\t"
         "${Depends}, ${Pre-Depends}\n"],
        check=True, capture_output=True, text=True).stdout
    packages = {}
    for line in out.splitlines():
        name, status, essential, priority, relations = line.split("\t")
        if status != "installed":
            continue
        deps = set()
        for clause in relations.split(","):
            for alternative in clause.split("|"):
                word = alternative.strip().split(" ")[0].split(":")[0]
                if word:
                    deps.add(word)
        always = essential == "yes" or priority == "required"
        packages[name] = (deps, always)
    return packages


def closure(roots, packages):
    seen = set()
    todo = list(roots)
    while todo:
        p = todo.pop()
        if p in seen:
            continue
        seen.add(p)
        if p in packages:
            todo.extend(packages[p][0])
    return seen


def owner(path):
    """The package that ships a file, or None."""
    candidates = [path, os.path.realpath(path)]
    for c in list(candidates):
        for a, b in (("/usr/bin/", "/bin/"), ("/usr/sbin/", "/sbin/"),
                     ("/usr/lib/", "/lib/")):
            if c.startswith(a):
                candidates.append(b + c[len(a):])
            elif c.startswith(b):
                candidates.append(a + c[len(b):])
    for c in candidates:
        r = subprocess.run(["dpkg-query", "-S", c], capture_output=True, text=True)
        if r.returncode == 0:
            line = r.stdout.splitlines()[0]
            if line.startswith("diversion by"):
                continue
            return line.split(":")[0].split(",")[0].strip()
    return None


def module_path(module):
    r = subprocess.run(
        ["/usr/bin/python3", "-c",
         "import importlib.util, sys\n"
         "s = importlib.util.find_spec(sys.argv[1])\n"
         "print(s.origin if s and s.origin else '')", module],
        capture_output=True, text=True)
    if r.returncode != 0:
        return None
    return r.stdout.strip() or None


def imported_modules():
    """Top-level modules imported by the project's Python files."""
    modules = {}
    for path in sorted(ROOT.glob("**/*.py")):
        if any(part.startswith("build") for part in path.relative_to(ROOT).parts):
            continue
        try:
            tree = ast.parse(path.read_text(encoding="utf-8"))
        except (OSError, SyntaxError, UnicodeDecodeError):
            continue
        for node in ast.walk(tree):
            names = []
            if isinstance(node, ast.Import):
                names = [a.name for a in node.names]
            elif isinstance(node, ast.ImportFrom) and node.level == 0 and node.module:
                names = [node.module]
            for n in names:
                modules.setdefault(n.split(".")[0], str(path.relative_to(ROOT)))
    return modules


def main(argv):
    list_file = ROOT / "tools/outside-programs"
    if len(argv) == 3 and argv[1] == "--list-file":
        list_file = pathlib.Path(argv[2])
    elif len(argv) != 1:
        sys.stderr.write(__doc__)
        return 2
    packages = installed_packages()
    always = {p for p, (_, a) in packages.items() if a}
    allowed = {}
    for g in GROUPS:
        listed = install_deps_packages("base") | install_deps_packages(g)
        allowed[g] = closure(listed, packages) | listed | always
    failures = []
    declared_modules = set()

    for number, raw in enumerate(list_file.read_text(encoding="utf-8").splitlines(), 1):
        line = raw.split("#", 1)[0].split()
        if not line:
            continue
        if len(line) < 3 or line[2] not in GROUPS:
            failures.append("%s:%d: expected 'program package group'" % (list_file, number))
            continue
        name, package, group = line[0], line[1], line[2]
        where = " (group %s)" % group if group != "base" else ""
        if package not in allowed[group]:
            failures.append("%s needs the Debian package %s, which tools/install-deps.sh "
                            "does not install%s" % (name, package, where))
            continue
        if name.startswith("python3:"):
            module = name.split(":", 1)[1]
            declared_modules.add(module)
            path = module_path(module)
        else:
            path = shutil.which(name, path=SYSTEM_PATH)
        if path is None:
            if group == "base":
                failures.append("%s is not installed: it comes from the Debian package %s "
                                "(run tools/install-deps.sh)" % (name, package))
            continue
        shipped_by = owner(path)
        if shipped_by is None:
            failures.append("%s (%s) belongs to no Debian package; expected %s"
                            % (name, path, package))
        elif shipped_by not in allowed[group]:
            failures.append("%s (%s) comes from the Debian package %s, which "
                            "tools/install-deps.sh does not install%s"
                            % (name, path, shipped_by, where))

    for module, user in sorted(imported_modules().items()):
        if module in declared_modules:
            continue
        path = module_path(module)
        if path is None:
            local = any((p / (module + ".py")).exists() for p in (ROOT / user).parents)
            if not local:
                failures.append("%s imports %s, which Debian's python3 cannot find "
                                "(declare it in tools/outside-programs with its package)"
                                % (user, module))
            continue
        if path in ("built-in", "frozen") or not path.startswith("/"):
            continue
        if pathlib.Path(path).is_relative_to(ROOT):
            continue
        shipped_by = owner(path)
        if shipped_by is None or shipped_by not in allowed["base"]:
            failures.append("%s imports %s (%s) from the Debian package %s, which "
                            "tools/install-deps.sh does not install"
                            % (user, module, path, shipped_by or "(none)"))

    for f in failures:
        print("check-outside-programs: " + f, file=sys.stderr)
    if not failures:
        print("check-outside-programs: every outside program comes from a package "
              "tools/install-deps.sh installs")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
