#!/usr/bin/env python3
"""Reads every DXF file of the given files and folders with ezdxf, an independent DXF reader,
and audits it. Prints each file's problems; exits 0 when every file reads without a structure
error and its audit finds nothing to report or mend, 1 otherwise, and 77 (skip) when ezdxf is
not installed."""
import pathlib
import sys

try:
    import ezdxf
except ImportError:
    print("ezdxf is not installed (Debian package python3-ezdxf)")
    sys.exit(77)


def files(args):
    for arg in args:
        path = pathlib.Path(arg)
        if path.is_dir():
            yield from sorted(p for p in path.iterdir() if p.suffix.lower() == ".dxf")
        else:
            yield path


def main(args):
    checked = failed = 0
    for path in files(args):
        checked += 1
        problems = []
        try:
            doc = ezdxf.readfile(str(path))
        except Exception as error:  # a structure error, or a file that is no DXF at all
            problems.append(f"read: {type(error).__name__}: {error}")
        else:
            auditor = doc.audit()
            problems += [f"audit error: {e.message}" for e in auditor.errors]
            problems += [f"audit fix: {e.message}" for e in auditor.fixes]
        if problems:
            failed += 1
            print(f"{path}:")
            for p in problems[:20]:
                print(f"  {p}")
    print(f"{checked} files read, {failed} with problems")
    if checked == 0:
        return 1
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
