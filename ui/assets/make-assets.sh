#!/usr/bin/env bash
# Redraws the tool's images from scratch (ImageMagick 6 and Python 3): the logo, the window icon
# in its four sizes plus the Windows .ico and the Linux install icon, the raw pixels of the logo
# and the icon, the link cursor, and the banner title's glyph outlines (g++ and Qt 6 Gui).
# The results are checked in; run this only after changing a drawing.
set -euo pipefail
cd "$(dirname "$0")"
slate='rgb(74,97,132)'

# Logo, 139 x 138: a ringed disc holding a chip marked Q, on the slate blue of the banner.
convert -size 139x138 "xc:$slate" \
  -fill 'rgb(196,210,230)' -draw 'circle 69,69 69,6' \
  -fill 'rgb(28,42,68)' -draw 'circle 69,69 69,12' \
  -fill 'rgb(52,72,104)' -draw 'circle 69,69 69,20' \
  -fill 'rgb(210,220,236)' \
  -draw 'rectangle 50,34 54,42' -draw 'rectangle 60,34 64,42' -draw 'rectangle 74,34 78,42' -draw 'rectangle 84,34 88,42' \
  -draw 'rectangle 50,96 54,104' -draw 'rectangle 60,96 64,104' -draw 'rectangle 74,96 78,104' -draw 'rectangle 84,96 88,104' \
  -draw 'rectangle 34,50 42,54' -draw 'rectangle 34,60 42,64' -draw 'rectangle 34,74 42,78' -draw 'rectangle 34,84 42,88' \
  -draw 'rectangle 96,50 104,54' -draw 'rectangle 96,60 104,64' -draw 'rectangle 96,74 104,78' -draw 'rectangle 96,84 104,88' \
  -fill 'rgb(236,241,248)' -draw 'roundrectangle 42,42 96,96 7,7' \
  -fill "$slate" -font DejaVu-Sans-Bold -pointsize 44 -gravity center -annotate +0+0 'Q' \
  -colors 256 PNG8:logo.png

# Icon master at 128 pixels, reduced to each size and to 16 colours.
convert -size 128x128 xc:none \
  -fill 'rgb(28,42,68)' -draw 'roundrectangle 2,2 125,125 22,22' \
  -fill 'rgb(210,220,236)' \
  -draw 'rectangle 36,10 46,26' -draw 'rectangle 58,10 68,26' -draw 'rectangle 80,10 90,26' \
  -draw 'rectangle 36,102 46,118' -draw 'rectangle 58,102 68,118' -draw 'rectangle 80,102 90,118' \
  -draw 'rectangle 10,36 26,46' -draw 'rectangle 10,58 26,68' -draw 'rectangle 10,80 26,90' \
  -draw 'rectangle 102,36 118,46' -draw 'rectangle 102,58 118,68' -draw 'rectangle 102,80 118,90' \
  -fill 'rgb(236,241,248)' -draw 'roundrectangle 24,24 103,103 10,10' \
  -fill "$slate" -font DejaVu-Sans-Bold -pointsize 74 -gravity center -annotate +0+2 'Q' \
  icon-master.png
for size in 16 20 24 32; do
  convert icon-master.png -filter Lanczos -resize "${size}x${size}" -colors 16 "PNG32:icon-$size.png"
done
convert icon-master.png -colors 64 PNG32:quillmere-mod-tool.png
convert icon-16.png icon-20.png icon-24.png icon-32.png quillmere-mod-tool.ico
rm icon-master.png

# The link cursor, 32 x 32, hot spot at the fingertip (12, 1): a white hand with a blue cuff.
python3 - <<'PY'
W = H = 32
hand, cuff = set(), set()
def box(target, x0, y0, x1, y1):
    target.update((x, y) for x in range(x0, x1 + 1) for y in range(y0, y1 + 1))
box(hand, 11, 2, 13, 15)   # index finger, pointing up
box(hand, 15, 8, 17, 15)   # middle finger
box(hand, 19, 9, 21, 15)   # ring finger
box(hand, 23, 11, 24, 15)  # little finger
box(hand, 11, 14, 24, 24)  # palm
box(hand, 6, 16, 10, 19)   # thumb
box(hand, 8, 20, 10, 22)
box(hand, 12, 25, 23, 26)  # wrist
box(cuff, 11, 27, 24, 30)
inside = hand | cuff
rows = []
for y in range(H):
    row = ""
    for x in range(W):
        if (x, y) in cuff:
            row += "b"
        elif (x, y) in hand:
            row += "w"
        elif any((x + dx, y + dy) in inside for dx in (-1, 0, 1) for dy in (-1, 0, 1)):
            row += "k"
        else:
            row += "."
    rows.append(row)
with open("link-cursor.xpm", "w") as out:
    out.write("/* XPM */\nstatic const char *link_cursor[] = {\n")
    out.write('"32 32 4 1 12 1",\n". c None",\n"k c #000000",\n"w c #FFFFFF",\n"b c #0000FF",\n')
    out.write(",\n".join('"%s"' % r for r in rows))
    out.write("\n};\n")
PY
# For the Win32 window, which GDI draws: the logo as a 24-bit BMP, and the link cursor as a
# Windows .cur (16 colours, 32 x 32, hot spot 12, 1), made from the XPM above.
convert logo.png -type TrueColor BMP3:logo.bmp
python3 - <<'PY'
import struct
rows = open("link-cursor.xpm").read().split("{", 1)[1].split('"')[1::2][5:]
assert len(rows) == 32 and all(len(r) == 32 for r in rows)
# The 16-colour palette of the era; the hand uses black, white and blue from it.
palette = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
           (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
           (255, 0, 255), (0, 255, 255), (255, 255, 255)]
index = {"k": 0, "w": 15, "b": 12, ".": 0}
xor = b"".join(bytes((index[r[x]] << 4) | index[r[x + 1]] for x in range(0, 32, 2)) for r in reversed(rows))
def mask_row(r):
    bits = "".join("1" if c == "." else "0" for c in r)
    return int(bits, 2).to_bytes(4, "big")
and_mask = b"".join(mask_row(r) for r in reversed(rows))
header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 4, 0, len(xor) + len(and_mask), 0, 0, 16, 0)
image = header + b"".join(bytes((b, g, r, 0)) for r, g, b in palette) + xor + and_mask
with open("link-cursor.cur", "wb") as out:
    out.write(struct.pack("<HHH", 0, 2, 1))
    out.write(struct.pack("<BBBBHHII", 32, 32, 16, 0, 12, 1, len(image), 6 + 16))
    out.write(image)
PY
# The banner title's glyph outlines, from DejaVu Sans Bold (fonts-dejavu-core), laid out by Qt.
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
maker=$(mktemp)
g++ -std=c++20 -fPIC -I../common $(pkg-config --cflags Qt6Gui) make_title_outline.cpp -o "$maker" \
  $(pkg-config --libs Qt6Gui)
"$maker" "$font" >../common/title_outline.inc
rm -f "$maker"
echo "assets redrawn"
