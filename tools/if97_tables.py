#!/usr/bin/env python3
"""Prints an IF97 coefficient table from /work/shared/if97 as a C++ constexpr array.

Usage: if97_tables.py TABLE.tsv ARRAY_NAME STRUCT_NAME [COLUMNS]

COLUMNS names the TSV columns to emit, in struct field order (default "I,J,n").
The first header line of the TSV (the source of the table) becomes the comment
line above the array, so every table names the IAPWS table it comes from.
"""
import sys


def main() -> None:
    path, array_name, struct_name = sys.argv[1:4]
    columns = (sys.argv[4] if len(sys.argv) > 4 else "I,J,n").split(",")
    source = None
    header = None
    rows = []
    with open(path, encoding="utf-8") as table:
        for line in table:
            line = line.rstrip("\n")
            if line.startswith("#"):
                if source is None:
                    source = line.lstrip("# ").strip()
                continue
            fields = line.split("\t")
            if header is None:
                header = fields
                continue
            rows.append(dict(zip(header, fields)))
    print(f"// {source}")
    print(f"constexpr std::array<{struct_name}, {len(rows)}> {array_name}{{{{")
    for row in rows:
        print("    {" + ", ".join(row[column] for column in columns) + "},")
    print("}};")


if __name__ == "__main__":
    main()
