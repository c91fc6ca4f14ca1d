#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz harnesses (fuzz/corpus/NAME) from the game's real data.

    fuzz/make_seeds.py BUILD_DIR

BUILD_DIR is a build whose assetgen has run (BUILD_DIR/assets holds the bitmaps and sounds).
The seeds are kept small: pictures and sounds are cut to a few rows or frames, with their real
headers, colour tables and samples. Run again when the data they come from changes.
"""
import pathlib
import re
import shutil
import struct
import sys

ROOT = pathlib.Path(__file__).resolve().parents[1]
CORPUS = ROOT / "fuzz/corpus"


def write(harness, name, data):
    folder = CORPUS / harness
    folder.mkdir(parents=True, exist_ok=True)
    (folder / name).write_bytes(data)


def save_seeds():
    def file(record):
        checksum = (sum(record) * 1103515245 + 12345) % 2**32
        return record + struct.pack("<I", checksum)

    fresh = bytes(40)
    write("save", "fresh", file(fresh))
    # ruleTopic -1, high score 12300, the rest zero.
    topic = struct.pack("<iB3xiiiB3xiiii", 0, 0, 0, 0, -1, 0, 0, 12300, 0, 0)
    write("save", "high-score", file(topic))
    # Full screen, quieter music and effects, paused in a game, reserved bytes set.
    playing = struct.pack("<iB3siiiB3siiii", 0, 1, b"\x01\x02\x03", -2000, -4000, 1, 1, b"abc",
                          45600, 99900, 321, 3)
    write("save", "in-game", file(playing) + b"trailing bytes are never read")
    write("save", "damaged", file(playing)[:-1] + b"\x00")


def crop_dib(dib, width, height):
    """The first `height` rows (bottom-up) and `width` columns, header and table kept."""
    header_size, old_width, old_height, _, bits = struct.unpack_from("<IiiHH", dib, 0)
    used = struct.unpack_from("<I", dib, 32)[0]
    colours = (used or 1 << bits) if bits <= 8 else 0
    table_end = header_size + colours * 4
    stride = (old_width * bits + 31) // 32 * 4
    new_stride = (width * bits + 31) // 32 * 4
    row_bytes = (width * bits + 7) // 8
    rows = b"".join(dib[table_end + y * stride : table_end + y * stride + row_bytes].ljust(new_stride, b"\0")
                    for y in range(height))
    header = bytearray(dib[:table_end])
    struct.pack_into("<ii", header, 4, width, height)
    struct.pack_into("<I", header, 20, len(rows))
    return bytes(header) + rows


def dib_seeds(assets):
    for ident, width, height in [(101, 12, 4), (110, 9, 3), (106, 16, 4), (113, 7, 5),
                                 (112, 21, 4), (127, 10, 2)]:
        dib = (assets / f"bitmap_{ident}.dib").read_bytes()
        write("dib", f"bitmap-{ident}", crop_dib(dib, width, height))


def wave_seeds(assets):
    for ident, frames in [(205, 48), (202, 32), (209, 5)]:
        wave = (assets / f"wave_{ident}.wav").read_bytes()
        data_at = wave.index(b"data")
        pcm = wave[data_at + 8 : data_at + 8 + frames * 4]
        head = bytearray(wave[:data_at])
        struct.pack_into("<I", head, 4, len(head) - 8 + 8 + len(pcm))
        write("wave", f"wave-{ident}", bytes(head) + b"data" + struct.pack("<I", len(pcm)) + pcm)


def string_literals(path):
    return [m.group(1) for m in re.finditer(r'"((?:[^"\\\n]|\\.)*)"', path.read_text(encoding="utf-8"))]


def motion_script_seeds():
    command = re.compile(r"^[mszdrahiptwj\[\]{}:+\-*/%&|^~?@=!<>$0-9., ]+$")
    scripts = []
    for path in sorted((ROOT / "src/scenes").glob("*.cpp")):
        for text in string_literals(path):
            if command.match(text) and re.search(r"[mszdrahiptwj][-$0-9]", text) and text not in scripts:
                scripts.append(text)
    for i, script in enumerate(scripts):
        write("motion_script", f"script-{i:02}", script.encode())


def game_texts():
    """The game's texts as UTF-8 and as code page 932, from the capture the literal test reads."""
    texts = []
    inc = (ROOT / "tests/system/gcc_cp932_literals.inc").read_text(encoding="utf-8")
    for where, utf8_parts, cp932 in re.findall(r'// (\S+)\n\{((?:u8"(?:[^"\\]|\\.)*" ?)+), "([^"]*)"\},', inc):
        if not where.startswith("src/scenes/"):
            continue
        utf8 = "".join(re.findall(r'u8"((?:[^"\\]|\\.)*)"', utf8_parts)).replace("\\n", "\n").encode()
        texts.append((utf8, bytes.fromhex(cp932.replace("\\x", ""))))
    return texts


def message_window_seeds(texts):
    for i, (_, cp932) in enumerate(texts):
        owner = 0 if b"\n" in cp932 and len(cp932) < 60 else (2 if b"$" in cp932 else 1)
        write("message_window", f"text-{i:02}", bytes([owner]) + cp932)


def shift_jis_seeds(texts):
    for i, (utf8, cp932) in enumerate(texts):
        write("shift_jis", f"sjis-{i:02}", cp932)
        write("shift_jis", f"utf8-{i:02}", utf8)


def readme_blocks():
    """The indented example blocks of the README."""
    return re.findall(r"(?:^    .*\n)+", (ROOT / "README.md").read_text(encoding="utf-8"), re.M)


def input_script_seeds():
    blocks = [b for b in readme_blocks() if re.search(r"^    \d+(-\d+)? \w", b, re.M)]
    for i, block in enumerate(blocks):
        write("input_script", f"readme-{i}", re.sub(r"^    ", "", block, flags=re.M).encode())


def options_seeds():
    for i, block in enumerate(b for b in readme_blocks() if "moravin" in b and "--" in b):
        command = " ".join(block.replace("\\\n", " ").split())
        args = command.split("moravin", 1)[1].split()
        write("options", f"readme-{i}", "\0".join(args).encode())
    write("options", "help", b"--help")
    write("options", "joined", b"--seed=7\0--fps=0\0--headless")


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    assets = pathlib.Path(sys.argv[1]) / "assets"
    shutil.rmtree(CORPUS, ignore_errors=True)
    texts = game_texts()
    save_seeds()
    dib_seeds(assets)
    wave_seeds(assets)
    motion_script_seeds()
    message_window_seeds(texts)
    shift_jis_seeds(texts)
    input_script_seeds()
    options_seeds()
    for folder in sorted(CORPUS.iterdir()):
        files = list(folder.iterdir())
        print(f"{folder.name}: {len(files)} seeds, {sum(f.stat().st_size for f in files)} bytes")


main()
