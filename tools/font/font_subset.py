#!/usr/bin/python3
"""Makes the font that builds without a font service carry: a subset of the system's Japanese
font with only the characters the game can show, and the licence text that goes with it.

    font_subset.py FONT OUT_FONT OUT_LICENCE SOURCE_DIR...

The characters are printable ASCII and every other character written in the game's sources
(its texts are UTF-8 literals there). The subset keeps the original outlines, hinting and
bitmaps, so text looks as it does with the whole font. The IPA Font License lets a derived font
be passed on under the same licence, but not under the original's name: the subset is renamed.
"""
import pathlib
import re
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

FAMILY = "Moravin Gothic"
LICENCE_SOURCE = pathlib.Path("/usr/share/doc/fonts-ipafont-gothic/copyright")


def characters(source_dirs):
    """Printable ASCII, and every other character of the sources, written as itself or as a
    universal character name (the font code measures U'\\u3042')."""
    text = {chr(c) for c in range(0x20, 0x7F)}
    for directory in source_dirs:
        for path in sorted(pathlib.Path(directory).rglob("*")):
            if path.suffix in (".cpp", ".h"):
                source = path.read_text(encoding="utf-8")
                text.update(c for c in source if ord(c) > 0x7F)
                for code in re.findall(r"\\u([0-9A-Fa-f]{4})|\\U([0-9A-Fa-f]{8})", source):
                    text.add(chr(int(code[0] or code[1], 16)))
    return "".join(sorted(text))


def rename(font):
    names = font["name"]
    for record in list(names.names):
        if record.nameID in (16, 17, 21, 22):  # typographic names: dropped, the family says it
            names.removeNames(nameID=record.nameID)
    for name_id, value in ((1, FAMILY), (3, FAMILY + " subset"), (4, FAMILY),
                           (6, FAMILY.replace(" ", "-"))):
        names.removeNames(nameID=name_id)
        names.setName(value, name_id, 3, 1, 0x409)
        names.setName(value, name_id, 1, 0, 0)


def licence_text(font_path):
    """The IPA Font License Agreement from the font package's copyright file, with a preface on
    what was derived and how to use the original instead."""
    lines = LICENCE_SOURCE.read_text(encoding="utf-8").splitlines()
    start = len(lines) - 1 - lines[::-1].index("License: IPA-1")  # the stanza with the text
    body = []
    for line in lines[start + 1:]:
        if line and not line.startswith(" "):
            break
        body.append("" if line.strip() == "." else line[1:])
    preface = [
        f"The text of the game is drawn with \"{FAMILY}\", a subset of the font file",
        f"{font_path} (Debian package fonts-ipafont-gothic) that keeps only the",
        "characters the game shows, renamed as the licence below requires. It was made with",
        "fontTools by tools/font/font_subset.py of the game's sources, which is also the means",
        "to make it again. To use the original font instead, build the game with",
        "-DMORAVIN_FONT_SOURCE=<path of the original font file>, or, on Linux, build it",
        "for the desktop, where it uses the system's font.",
        "",
        "The subset is licensed under the IPA Font License Agreement v1.0:",
        "",
    ]
    return "\n".join(preface + body).rstrip() + "\n"


def main(args):
    font_path, out_font, out_licence, *source_dirs = args
    options = subset.Options()
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    options.glyph_names = False
    font = TTFont(font_path)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=characters(source_dirs))
    subsetter.subset(font)
    rename(font)
    font.save(out_font)
    pathlib.Path(out_licence).write_text(licence_text(font_path), encoding="utf-8")


if __name__ == "__main__":
    if len(sys.argv) < 5:
        sys.exit(__doc__)
    main(sys.argv[1:])
