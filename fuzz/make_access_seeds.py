#!/usr/bin/env python3
"""Writes the seeds of the access fuzz target: small Access files made of a few pages of the
test fixtures (tests/fixtures/access), renumbered so that they hold together: the header,
the catalog table with one of its data pages, and one or two user tables with their usage maps
and first data page. Tables whose pages are left out stay in the catalog and fail to read,
which is a path worth fuzzing too.

    fuzz/make_access_seeds.py [FIXTURES] [OUT]
"""
import os
import struct
import sys

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
fixtures = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "tests", "fixtures", "access")
out = sys.argv[2] if len(sys.argv) > 2 else os.path.join(root, "fuzz", "corpus", "access")


class Jet:
    def __init__(self, data):
        self.data = data
        self.jet4 = data[0x14] != 0
        self.size = 4096 if self.jet4 else 2048
        self.rows_at = 12 if self.jet4 else 8  # row count, then the row offsets
        self.map_at = 55 if self.jet4 else 35  # a table definition's usage map pointers

    def page(self, n):
        return bytearray(self.data[n * self.size:(n + 1) * self.size])

    def rows(self, page):
        count = struct.unpack_from("<H", page, self.rows_at)[0]
        offsets = [struct.unpack_from("<H", page, self.rows_at + 2 + 2 * i)[0] & 0x1FFF
                   for i in range(count)]
        return [(start, self.size if i == 0 else offsets[i - 1]) for i, start in enumerate(offsets)]


def compact(jet, keep):
    """The pages `keep` (old numbers) as a file of their own, page i being keep[i]."""
    new = {old: i for i, old in enumerate(keep)}
    pages = [jet.page(old) for old in keep]
    for page in pages:
        kind = page[0]
        if kind == 0x01:  # a data page: its table's definition
            tdef = struct.unpack_from("<I", page, 4)[0]
            struct.pack_into("<I", page, 4, new.get(tdef, 0))
        if kind == 0x02:  # a table definition: no continuation, usage maps renumbered
            struct.pack_into("<I", page, 4, 0)
            for at in (jet.map_at, jet.map_at + 4):
                pointer = struct.unpack_from("<I", page, at)[0]
                row, map_page = pointer & 0xFF, pointer >> 8
                if map_page not in new:
                    continue
                struct.pack_into("<I", page, at, (new[map_page] << 8) | row)
                mp = pages[new[map_page]]
                start, end = jet.rows(mp)[row]
                if mp[start] != 0:  # only inline maps are renumbered
                    continue
                first = struct.unpack_from("<I", mp, start + 1)[0]
                bits = mp[start + 5:end]
                used = [first + b for b in range(len(bits) * 8) if bits[b // 8] >> (b % 8) & 1]
                bits = bytearray(len(bits))
                for old in used:
                    if old in new:
                        bits[new[old] // 8] |= 1 << (new[old] % 8)
                struct.pack_into("<I", mp, start + 1, 0)
                mp[start + 5:end] = bits
    # The catalog's rows name each table by its definition's page (the Id, the first fixed
    # column): renumber those kept.
    catalog_pages = [p for p in pages if p[0] == 0x01 and struct.unpack_from("<I", p, 4)[0] == 2]
    id_at = 2 if jet.jet4 else 1
    for page in catalog_pages:
        for start, end in jet.rows(page):
            if end - start < id_at + 4:
                continue
            ident = struct.unpack_from("<i", page, start + id_at)[0]
            if 0 < ident < 0x00FFFFFF and ident in new:
                struct.pack_into("<i", page, start + id_at, new[ident])
    return b"".join(pages)


def usage(jet, tdef):
    """The usage map page and the data pages of a table definition."""
    page = jet.page(tdef)
    pointer = struct.unpack_from("<I", page, jet.map_at)[0]
    row, map_page = pointer & 0xFF, pointer >> 8
    mp = jet.page(map_page)
    start, end = jet.rows(mp)[row]
    first = struct.unpack_from("<I", mp, start + 1)[0]
    bits = mp[start + 5:end]
    return map_page, [first + b for b in range(len(bits) * 8) if bits[b // 8] >> (b % 8) & 1]


def table(jet, tdef, data_pages=1):
    map_page, data = usage(jet, tdef)
    return [tdef, map_page] + data[:data_pages]


def catalog(jet, data_page):
    map_page, _ = usage(jet, 2)
    return [0, 1, 2, map_page, data_page]


def unique(pages):
    seen = []
    for p in pages:
        if p not in seen:
            seen.append(p)
    return seen


def main():
    os.makedirs(out, exist_ok=True)
    nwind = Jet(open(os.path.join(fixtures, "nwind.mdb"), "rb").read())
    dates = Jet(open(os.path.join(fixtures, "DateTestDatabase.mdb"), "rb").read())
    seeds = {
        # Jet 3: Shippers (3 rows) beside the catalog page that lists it and some queries.
        "nwind-shippers": compact(nwind, unique(catalog(nwind, 22) + table(nwind, 581))),
        # Jet 3: Employees (memo and OLE columns, values on long-value pages left out).
        "nwind-employees": compact(nwind, unique(catalog(nwind, 713) + table(nwind, 94))),
        # Jet 3: the system tables' catalog page with MSysQueries and one of its pages.
        "nwind-queries": compact(nwind, unique(catalog(nwind, 18) + table(nwind, 4))),
        # Jet 4: a table of dates.
        "dates": compact(dates, unique(catalog(dates, 17) + table(dates, 18))),
        # Headers alone: the checks before any page is read.
        "nwind-head": nwind.data[:nwind.size * 3],
        "dates-head": dates.data[:dates.size * 3],
    }
    for name, data in seeds.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
        print(f"{name}: {len(data)} bytes")


if __name__ == "__main__":
    main()
