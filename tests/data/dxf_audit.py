#!/usr/bin/env python3
"""Reads every DXF file of the given files and folders with ezdxf, an independent DXF reader,
and audits it. Prints each file's problems; exits 0 when every file reads without a structure
error and its audit finds nothing to report or mend, 1 otherwise, and 77 (skip) when ezdxf is
not installed. With --serve it audits line after line of its input (see serve())."""
import multiprocessing
import os
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


def problems_of(path):
    """The problems of one file: a structure error, or what its audit reports or mends."""
    try:
        doc = ezdxf.readfile(str(path))
    except Exception as error:  # a structure error, or a file that is no DXF at all
        return [f"read: {type(error).__name__}: {error}"]
    auditor = doc.audit()
    return ([f"audit error: {e.message}" for e in auditor.errors] +
            [f"audit fix: {e.message}" for e in auditor.fixes])


def main(args):
    paths = list(files(args))
    # Many files are read by a few processes side by side (forked after the import, so each
    # starts with ezdxf loaded); the reports keep the order of the files.
    if len(paths) > 4:
        with multiprocessing.get_context("fork").Pool(min(4, os.cpu_count() or 1)) as pool:
            results = pool.map(problems_of, paths)
    else:
        results = [problems_of(path) for path in paths]
    failed = 0
    for path, problems in zip(paths, results):
        if problems:
            failed += 1
            print(f"{path}:")
            for p in problems[:20]:
                print(f"  {p}")
    print(f"{len(paths)} files read, {failed} with problems")
    if not paths:
        return 1
    return 1 if failed else 0


def serve():
    """--serve: audits the files and folders of each line of the input (separated by tabs), as
    one call of this script would, and ends each report with a line "@@rc N", so that a test
    program imports ezdxf once for all its audits. It says "@@ready" once ezdxf is loaded."""
    print("@@ready", flush=True)
    for line in sys.stdin:
        rc = main([arg for arg in line.rstrip("\n").split("\t") if arg])
        print(f"@@rc {rc}", flush=True)
    return 0


if __name__ == "__main__":
    if sys.argv[1:] == ["--serve"]:
        sys.exit(serve())
    sys.exit(main(sys.argv[1:]))
