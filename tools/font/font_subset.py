#!/usr/bin/python3
"""Makes the fonts that builds without a font service carry: subsets of the system's Japanese
font and of its proportional sibling with only the characters the game can show, and the
licence text that goes with them.

    font_subset.py OUT_LICENCE SOURCE_DIR... (--font | --ascii-font) FONT FAMILY OUT_FONT ...

A --font subset keeps printable ASCII and every other character written in the game's sources
(its texts are UTF-8 literals there); an --ascii-font subset keeps printable ASCII only, all
that the English texts use (a test holds them to it), at an eighth of the size. A subset keeps
the original outlines, hinting and bitmaps, so text looks as it does with the whole font. The
IPA Font License lets a derived font be passed on under the same licence, but not under the
original's name: each subset is renamed to its FAMILY.
"""
import pathlib
import re
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

LICENCE_SOURCE = pathlib.Path("/usr/share/doc/fonts-ipafont-gothic/copyright")


PRINTABLE_ASCII = {chr(c) for c in range(0x20, 0x7F)}


def characters(source_dirs):
    """Printable ASCII, and every other character of the sources, written as itself or as a
    universal character name (U'\\u3042')."""
    text = set(PRINTABLE_ASCII)
    for directory in source_dirs:
        for path in sorted(pathlib.Path(directory).rglob("*")):
            if path.suffix in (".cpp", ".h"):
                source = path.read_text(encoding="utf-8")
                text.update(c for c in source if ord(c) > 0x7F)
                for code in re.findall(r"\\u([0-9A-Fa-f]{4})|\\U([0-9A-Fa-f]{8})", source):
                    text.add(chr(int(code[0] or code[1], 16)))
    return text


def rename(font, family):
    names = font["name"]
    for record in list(names.names):
        if record.nameID in (16, 17, 21, 22):  # typographic names: dropped, the family says it
            names.removeNames(nameID=record.nameID)
    for name_id, value in ((1, family), (3, family + " subset"), (4, family),
                           (6, family.replace(" ", "-"))):
        names.removeNames(nameID=name_id)
        names.setName(value, name_id, 3, 1, 0x409)
        names.setName(value, name_id, 1, 0, 0)


def licence_text(fonts):
    """The IPA Font License Agreement from the font package's copyright file, with a preface on
    what was derived and how to use the originals instead."""
    lines = LICENCE_SOURCE.read_text(encoding="utf-8").splitlines()
    start = len(lines) - 1 - lines[::-1].index("License: IPA-1")  # the stanza with the text
    body = []
    for line in lines[start + 1:]:
        if line and not line.startswith(" "):
            break
        body.append("" if line.strip() == "." else line[1:])
    preface = ["The text of the game is drawn with fonts cut from font files of the Debian",
               "package fonts-ipafont-gothic:", ""]
    for font_path, family, _ in fonts:
        preface.append(f"  \"{family}\", a subset of {font_path}")
    preface += [
        "",
        "Each keeps only the characters the game shows and is renamed as the licence below",
        "requires. They were made with fontTools by tools/font/font_subset.py of the game's",
        "sources, which is also the means to make them again. To use the original fonts",
        "instead, build the game with -DMORAVIN_FONT_SOURCE=<path of the original Japanese",
        "font> and -DMORAVIN_PROPORTIONAL_FONT_SOURCE=<path of the original proportional",
        "font>, or, on Linux, build it for the desktop, where it uses the system's fonts.",
        "",
        "The subsets are licensed under the IPA Font License Agreement v1.0:",
        "",
    ]
    return "\n".join(preface + body).rstrip() + "\n"


def subset_font(font_path, family, out_font, text):
    options = subset.Options()
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    options.glyph_names = False
    font = TTFont(font_path)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=text)
    subsetter.subset(font)
    rename(font, family)
    font.save(out_font)


FONT_FLAGS = ("--font", "--ascii-font")


def parse(args):
    """(OUT_LICENCE, [SOURCE_DIR...], [(FLAG, FONT, FAMILY, OUT_FONT)...]), or None when
    malformed."""
    first = next((i for i, arg in enumerate(args) if arg in FONT_FLAGS), None)
    if first is None:
        return None
    head, rest = args[:first], args[first:]
    if len(head) < 2 or len(rest) % 4 != 0:
        return None
    fonts = [tuple(rest[i:i + 4]) for i in range(0, len(rest), 4)]
    if any(flag not in FONT_FLAGS for flag, *_ in fonts):
        return None
    return head[0], head[1:], fonts


def main(args):
    parsed = parse(args)
    if parsed is None:
        sys.exit(__doc__)
    out_licence, source_dirs, fonts = parsed
    text = {"--font": "".join(sorted(characters(source_dirs))),
            "--ascii-font": "".join(sorted(PRINTABLE_ASCII))}
    for flag, font_path, family, out_font in fonts:
        subset_font(font_path, family, out_font, text[flag])
    pathlib.Path(out_licence).write_text(licence_text([font[1:] for font in fonts]),
                                         encoding="utf-8")


if __name__ == "__main__":
    main(sys.argv[1:])
