#!/usr/bin/env python3
"""Writes console/shift_jis_table.h: the Shift-JIS code of every character
beyond ASCII that the console's texts use, read from the console's sources.
Run it after adding Japanese text to console/: python3 tools/shift_jis_table.py
"""
import pathlib

root = pathlib.Path(__file__).resolve().parent.parent
characters = set()
for path in sorted((root / "console").glob("*.[hc]*")):
    if path.name == "shift_jis_table.h":
        continue
    characters.update(c for c in path.read_text(encoding="utf-8") if ord(c) > 0x7F)

rows = []
for c in sorted(characters):
    code = c.encode("shift_jis")
    rows.append(f"    {{0x{ord(c):04X}, 0x{int.from_bytes(code, 'big'):04X}}},  // {c}")

table = root / "console" / "shift_jis_table.h"
table.write_text(
    "#pragma once\n\n"
    "// Made by tools/shift_jis_table.py from the console's texts; not edited by hand.\n\n"
    "#include <array>\n#include <cstdint>\n\n"
    "namespace nanaren {\n\n"
    "// A character beyond ASCII and its Shift-JIS code, by code point.\n"
    "struct ShiftJisCode {\n    char32_t codePoint;\n    std::uint16_t code;\n};\n\n"
    f"inline constexpr std::array<ShiftJisCode, {len(rows)}> ShiftJisCodes = {{{{\n"
    + "\n".join(rows)
    + "\n}};\n\n}  // namespace nanaren\n",
    encoding="utf-8",
)
print(f"{table}: {len(rows)} characters")
