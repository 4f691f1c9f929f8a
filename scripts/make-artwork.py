#!/usr/bin/python3
"""Draws the editor page's bitmaps into MIDIPlugin/resources/ (24-bit BMP, same bytes every run).

  make-artwork.py [--out DIR] [--preview DIR]

  PageSkin.bmp     670 x 169  resource 141: brushed-metal frame, four screws, the socket of the
                              enable button at (82, 68), the navy display panel
  PowerButton.bmp  102 x 34   resource 142: power button off, hover, on
  CheckBox.bmp      45 x 15   resource 143: check box off, hover, on

--preview DIR also writes PNGs for looking at: the skin, the skin with the controls' rectangles
outlined, and both strips enlarged four times. Needs Debian's python3-pil; the text is set in
DejaVu Sans (fonts-dejavu-core). Shapes are drawn at four times the size and averaged down, so
their edges are smooth; the grain of the metal comes from a seeded generator, so a run
reproduces the committed files byte for byte with the same Pillow and FreeType.
"""
import argparse
import math
import os
import random
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

SCALE = 4  # supersampling factor of every shape
WIDTH, HEIGHT = 670, 169

# The page's colours; the controls paint with them straight onto the panel.
PANEL = (22, 20, 77)
FRAME = (118, 112, 188)
TEXT = (186, 184, 252)

# Display panel, [left, top, right, bottom) with rounded corners. The controls and their labels
# cover x 164..592, y 14..160; the panel leaves a margin around them in which its edge shading
# stays.
PANEL_BOX = (154, 5, 605, 164)
PANEL_RADIUS = 6
CONTROLS_BOX = (164, 14, 593, 161)

# The enable button: its 34 x 34 strip frame sits at (82, 68), centred in the socket.
BUTTON_POS = (82, 68)
BUTTON_SIZE = 34
SOCKET_CENTRE = (BUTTON_POS[0] + BUTTON_SIZE / 2, BUTTON_POS[1] + BUTTON_SIZE / 2)
SOCKET_LIP_RADIUS = 24.5
SOCKET_HOLE_RADIUS = 19.0
FACE_RADIUS = 16.0

SCREWS = [(17, 17, 20), (17, 152, 65), (653, 17, 110), (653, 152, 155)]  # x, y, slot angle
CHECK_SIZE = 15

FONT_DIR = "/usr/share/fonts/truetype/dejavu"

# Rough rectangles of the controls for the layout preview: (x, y, width, height).
PREVIEW_CONTROLS = [
    (82, 68, 34, 34), (168, 116, 15, 15), (425, 18, 15, 15), (471, 18, 15, 15),
    (168, 46, 90, 13), (168, 78, 90, 13),
    (276, 61, 34, 80), (318, 61, 34, 80), (360, 61, 34, 80), (412, 61, 42, 80), (458, 61, 42, 80),
    (276, 47, 34, 13), (318, 47, 34, 13), (360, 47, 34, 13), (412, 47, 42, 13), (458, 47, 42, 13),
    (412, 143, 42, 13), (458, 143, 42, 13), (518, 61, 70, 83),
]
PREVIEW_LABELS = [
    ("Play Through", 188, 118), ("Units:", 168, 32), ("Path:", 168, 64), ("Rate", 280, 33),
    ("Legato", 319, 33), ("Swing", 362, 33), ("Output", 416, 33), ("Chord", 464, 33),
    ("Recognized", 524, 33), ("Chord", 536, 46),
]


# ---- Drawing helpers -------------------------------------------------------------------------

def smooth_mask(size, draw):
    """An anti-aliased 'L' mask: draw(ImageDraw, scale) paints 255 at SCALE times the size."""
    big = Image.new("L", (size[0] * SCALE, size[1] * SCALE), 0)
    draw(ImageDraw.Draw(big), SCALE)
    return big.resize(size, Image.BOX)


def disc_mask(size, centre, radius):
    cx, cy = centre

    def draw(d, s):
        d.ellipse([(cx - radius) * s, (cy - radius) * s, (cx + radius) * s - 1,
                   (cy + radius) * s - 1], fill=255)
    return smooth_mask(size, draw)


def rounded_mask(size, box, radius):
    def draw(d, s):
        d.rounded_rectangle([box[0] * s, box[1] * s, box[2] * s - 1, box[3] * s - 1],
                            radius=radius * s, fill=255)
    return smooth_mask(size, draw)


def paint(image, colour, mask):
    """Lays a solid colour over an RGB image through a mask."""
    image.paste(Image.new("RGB", image.size, colour), (0, 0), mask)


def scaled_mask(mask, factor):
    return mask.point(lambda v: int(v * factor + 0.5))


def gradient(size, start, end, angle_degrees):
    """A linear gradient from start to end colour along the given direction (0 = downwards)."""
    w, h = size
    dx, dy = math.sin(math.radians(angle_degrees)), math.cos(math.radians(angle_degrees))
    span = abs(dx) * w + abs(dy) * h
    image = Image.new("RGB", size)
    pixels = image.load()
    for y in range(h):
        for x in range(w):
            t = ((x - w / 2) * dx + (y - h / 2) * dy) / span + 0.5
            pixels[x, y] = tuple(int(a + (b - a) * t + 0.5) for a, b in zip(start, end))
    return image


def noise(size, rng, spread):
    """'L' noise around 128 with the given spread, one value per pixel."""
    values = bytes(max(0, min(255, int(128 + spread * (rng.random() * 2 - 1))))
                   for _ in range(size[0] * size[1]))
    return Image.frombytes("L", size, values)


def streaks(size, rng, spread, length):
    """Horizontal streaks: noise averaged along rows over about `length` pixels."""
    w, h = size
    short = noise((max(1, w // length), h), rng, spread)
    return short.resize(size, Image.BILINEAR)


def add_grain(image, grain):
    """Adds an 'L' grain centred on 128 to every channel of an RGB image."""
    return ImageChops.add(image, Image.merge("RGB", (grain,) * 3), 1.0, -128)


def font(name, size):
    return ImageFont.truetype(os.path.join(FONT_DIR, name), size)


# ---- The skin --------------------------------------------------------------------------------

def brushed_metal(size, rng):
    """Light brushed aluminium: a soft vertical fall of light with fine horizontal grain."""
    metal = gradient(size, (196, 198, 204), (150, 152, 160), 0)
    sheen = gradient(size, (0, 0, 0), (255, 255, 255), 90).convert("L")
    sheen = sheen.point(lambda v: int(22 * math.exp(-((v - 90) / 70.0) ** 2)))
    metal = ImageChops.add(metal, Image.merge("RGB", (sheen,) * 3))
    grain = ImageChops.add(streaks(size, rng, 14, size[0]), streaks(size, rng, 18, 60), 1.0, -128)
    grain = ImageChops.add(grain, streaks(size, rng, 22, 9), 1.0, -128)
    grain = ImageChops.add(grain, noise(size, rng, 6), 1.0, -128)
    return add_grain(metal, grain)


def plate_bevel(skin):
    """Rounds the plate's outer edge: light along the top and left, shade along the bottom and
    right, fading over three pixels."""
    w, h = skin.size
    light, shade = Image.new("L", skin.size, 0), Image.new("L", skin.size, 0)
    dl, ds = ImageDraw.Draw(light), ImageDraw.Draw(shade)
    for i, strength in enumerate((150, 80, 30)):
        dl.line([(i, i), (w - 1 - i, i)], fill=strength)
        dl.line([(i, i), (i, h - 1 - i)], fill=strength * 2 // 3)
        ds.line([(i, h - 1 - i), (w - 1 - i, h - 1 - i)], fill=strength)
        ds.line([(w - 1 - i, i), (w - 1 - i, h - 1 - i)], fill=strength * 2 // 3)
    paint(skin, (255, 255, 255), light)
    paint(skin, (40, 40, 48), shade)


def recess(skin, mask, depth):
    """Sinks the masked area into the metal: a shadow on its upper-left rim and a highlight on
    its lower-right rim, as light from the top left falls into a hole."""
    shadow = ImageChops.subtract(mask, mask.transform(mask.size, Image.AFFINE,
                                                      (1, 0, -depth, 0, 1, -depth)))
    light = ImageChops.subtract(mask, mask.transform(mask.size, Image.AFFINE,
                                                     (1, 0, depth, 0, 1, depth)))
    paint(skin, (255, 255, 255), scaled_mask(light, 0.75))
    paint(skin, (20, 20, 30), scaled_mask(shadow.filter(ImageFilter.GaussianBlur(0.6)), 0.8))


def display_panel(skin):
    """The navy display: sunk into the metal, solid panel colour inside, with a faint lighter
    line just inside its rim that stays clear of the controls."""
    size = skin.size
    left, top, right, bottom = PANEL_BOX
    opening = rounded_mask(size, (left - 2, top - 2, right + 2, bottom + 2), PANEL_RADIUS + 2)
    recess(skin, opening, 2)
    paint(skin, (58, 58, 70), scaled_mask(opening, 0.55))
    panel = rounded_mask(size, PANEL_BOX, PANEL_RADIUS)
    paint(skin, PANEL, panel)
    inner = rounded_mask(size, (left + 1, top + 1, right - 1, bottom - 1), PANEL_RADIUS - 1)
    rim = ImageChops.subtract(inner, rounded_mask(
        size, (left + 2, top + 2, right - 2, bottom - 2), PANEL_RADIUS - 2))
    paint(skin, (44, 42, 112), scaled_mask(rim, 0.7))
    shade = ImageChops.subtract(inner, inner.transform(size, Image.AFFINE, (1, 0, 0, 0, 1, -1)))
    paint(skin, (10, 9, 40), scaled_mask(shade, 0.6))


def socket(skin):
    """The round socket of the enable button: a bevelled collar sunk into the metal and a dark
    hole that the button's face fills."""
    size = skin.size
    lip = disc_mask(size, SOCKET_CENTRE, SOCKET_LIP_RADIUS)
    recess(skin, disc_mask(size, SOCKET_CENTRE, SOCKET_LIP_RADIUS + 1.5), 1.5)
    collar = placed_gradient(size, SOCKET_CENTRE, SOCKET_LIP_RADIUS, (92, 94, 104),
                             (226, 228, 234), 45)
    skin.paste(collar, (0, 0), lip)
    hole = disc_mask(size, SOCKET_CENTRE, SOCKET_HOLE_RADIUS)
    paint(skin, (14, 14, 20), hole)
    ring = ImageChops.subtract(hole, disc_mask(size, SOCKET_CENTRE, SOCKET_HOLE_RADIUS - 1))
    paint(skin, (70, 72, 84), scaled_mask(ring, 0.5))


def placed_gradient(size, centre, radius, start, end, angle):
    """A gradient over the square around one circle, on an image of the given size."""
    side = int(2 * radius + 2)
    placed = Image.new("RGB", size)
    placed.paste(gradient((side, side), start, end, angle),
                 (int(centre[0] - side / 2), int(centre[1] - side / 2)))
    return placed


def cross_mask(size, centre, angle, reach, width):
    """Two crossed slots through a centre, turned by `angle` degrees."""
    cx, cy = centre

    def draw(d, s):
        for turn in (0, 90):
            a = math.radians(angle + turn)
            ux, uy = math.cos(a), math.sin(a)
            vx, vy = -uy * width / 2, ux * width / 2
            corners = [(cx - ux * reach + vx, cy - uy * reach + vy),
                       (cx + ux * reach + vx, cy + uy * reach + vy),
                       (cx + ux * reach - vx, cy + uy * reach - vy),
                       (cx - ux * reach - vx, cy - uy * reach - vy)]
            d.polygon([(px * s, py * s) for px, py in corners], fill=255)
    return smooth_mask(size, draw)


def screw(skin, x, y, angle):
    """A domed cross-head screw in a small countersink; the slots are turned by `angle`."""
    size = skin.size
    centre = (x + 0.5, y + 0.5)
    recess(skin, disc_mask(size, centre, 7), 1)
    head = disc_mask(size, centre, 6)
    skin.paste(placed_gradient(size, centre, 6, (246, 246, 250), (104, 106, 116), 45), (0, 0),
               head)
    edge = ImageChops.subtract(head, disc_mask(size, centre, 5.2))
    paint(skin, (70, 70, 82), scaled_mask(edge, 0.7))
    cross = cross_mask(size, centre, angle, 3.8, 1.4)
    paint(skin, (255, 255, 255), scaled_mask(cross.transform(
        size, Image.AFFINE, (1, 0, -0.6, 0, 1, -0.6)), 0.6))
    paint(skin, (40, 40, 50), cross)


def vents(skin):
    """Five short slots cut into the right wing, as on rack gear."""
    for i in range(5):
        y = 66 + i * 9
        slot = rounded_mask(skin.size, (627, y, 649, y + 4), 2)
        recess(skin, slot, 1)
        paint(skin, (46, 46, 58), scaled_mask(slot, 0.9))


def engrave(skin, text, face, centre_x, top, colour=(62, 64, 76)):
    """Cuts a text into the metal: dark letters with a light edge below them."""
    size = skin.size
    mask = Image.new("L", (size[0] * SCALE, size[1] * SCALE), 0)
    d = ImageDraw.Draw(mask)
    width = d.textlength(text, font=face)
    d.text((centre_x * SCALE - width / 2, top * SCALE), text, font=face, fill=255)
    mask = mask.resize(size, Image.BOX)
    paint(skin, (250, 250, 252), scaled_mask(mask.transform(
        size, Image.AFFINE, (1, 0, 0, 0, 1, -1)), 0.7))
    paint(skin, colour, mask)


def make_skin():
    rng = random.Random(141)
    skin = brushed_metal((WIDTH, HEIGHT), rng)
    plate_bevel(skin)
    display_panel(skin)
    socket(skin)
    for x, y, angle in SCREWS:
        screw(skin, x, y, angle)
    vents(skin)
    centre_x = SOCKET_CENTRE[0]
    engrave(skin, "Arpeggiator", font("DejaVuSans-Bold.ttf", 13 * SCALE), centre_x, 30)
    engrave(skin, "M I D I  F X", font("DejaVuSans-Bold.ttf", 7 * SCALE), centre_x, 117,
            (72, 74, 88))
    check_panel(skin)
    return skin


def check_panel(skin):
    """Refuses a skin whose panel is not plain panel colour under every control and label."""
    left, top, right, bottom = CONTROLS_BOX
    colours = skin.crop(CONTROLS_BOX).getcolors()
    if colours != [((right - left) * (bottom - top), PANEL)]:
        sys.exit("make-artwork: the panel under the controls is not plain panel colour")


# ---- The button strips -----------------------------------------------------------------------

def power_symbol_mask(size, centre, radius, width):
    """The power symbol: an open ring with a bar through its gap."""
    cx, cy = centre

    def draw(d, s):
        box = [(cx - radius) * s, (cy - radius) * s, (cx + radius) * s, (cy + radius) * s]
        d.arc(box, start=-50, end=230, fill=255, width=int(width * s))
        d.line([(cx * s, (cy - radius - 1.2) * s), (cx * s, (cy - 0.8) * s)], fill=255,
               width=int(width * s))
        for end_y in (cy - radius - 1.2, cy - 0.8):
            r = width * s / 2
            d.ellipse([cx * s - r, end_y * s - r, cx * s + r, end_y * s + r], fill=255)
    return smooth_mask(size, draw)


def power_face(background, symbol_colour, glow):
    """One frame: the socket behind, a dark domed face, the symbol, and for `glow` a blue ring
    of light around the symbol that stays inside the face."""
    frame = background.copy()
    size = frame.size
    centre = (BUTTON_SIZE / 2, BUTTON_SIZE / 2)
    face = disc_mask(size, centre, FACE_RADIUS)
    frame.paste(gradient(size, (92, 94, 106), (30, 31, 38), 0), (0, 0), face)
    top_light = ImageChops.subtract(face, face.transform(size, Image.AFFINE,
                                                         (1, 0, 0, 0, 1, -1.2)))
    paint(frame, (200, 202, 214), scaled_mask(top_light, 0.6))
    inner = disc_mask(size, centre, FACE_RADIUS - 2.5)
    frame.paste(gradient(size, (36, 37, 46), (66, 68, 80), 0), (0, 0), inner)
    if glow:
        ring = ImageChops.subtract(disc_mask(size, centre, 12.2), disc_mask(size, centre, 10.8))
        halo = ImageChops.multiply(ring.filter(ImageFilter.GaussianBlur(1.6)).point(
            lambda v: min(255, v * 3)), inner)
        paint(frame, (40, 110, 255), halo)
        paint(frame, (150, 200, 255), ring)
    symbol = power_symbol_mask(size, centre, 6.6, 2.4)
    if glow:
        paint(frame, (60, 140, 255), symbol.filter(ImageFilter.GaussianBlur(1.4)).point(
            lambda v: min(255, v * 2)))
    paint(frame, symbol_colour, symbol)
    return frame


def make_power_strip(skin):
    x, y = BUTTON_POS
    background = skin.crop((x, y, x + BUTTON_SIZE, y + BUTTON_SIZE))
    frames = [power_face(background, (128, 130, 142), False),
              power_face(background, (214, 216, 228), False),
              power_face(background, (226, 240, 255), True)]
    return side_by_side(frames)


def check_box(fill_top, fill_bottom, border, shine):
    """One 15 x 15 box on the panel colour: a rounded square with a violet rim and a soft
    gloss on its upper half."""
    size = (CHECK_SIZE, CHECK_SIZE)
    frame = Image.new("RGB", size, PANEL)
    outer = rounded_mask(size, (1, 1, 14, 14), 3)
    paint(frame, border, outer)
    inner = rounded_mask(size, (2, 2, 13, 13), 2)
    frame.paste(gradient(size, fill_top, fill_bottom, 0), (0, 0), inner)
    gloss = rounded_mask(size, (3, 3, 12, 7), 1.5)
    paint(frame, (255, 255, 255), scaled_mask(gloss, shine))
    return frame


def make_check_strip():
    return side_by_side([
        check_box((44, 40, 104), (30, 27, 84), FRAME, 0.08),
        check_box((98, 92, 178), (70, 64, 146), (150, 144, 220), 0.14),
        check_box(TEXT, (150, 146, 232), (222, 220, 255), 0.3),
    ])


def side_by_side(frames):
    strip = Image.new("RGB", (sum(f.width for f in frames), frames[0].height))
    x = 0
    for f in frames:
        strip.paste(f, (x, 0))
        x += f.width
    return strip


# ---- Output ----------------------------------------------------------------------------------

def write_previews(folder, skin, power, check):
    os.makedirs(folder, exist_ok=True)
    skin.save(os.path.join(folder, "skin.png"))
    layout = skin.copy()
    d = ImageDraw.Draw(layout)
    for x, y, w, h in PREVIEW_CONTROLS:
        d.rectangle([x, y, x + w - 1, y + h - 1], outline=FRAME)
    label_font = font("DejaVuSans.ttf", 11)
    for text, x, y in PREVIEW_LABELS:
        d.text((x, y), text, font=label_font, fill=TEXT)
    layout.paste(power.crop((68, 0, 102, 34)), BUTTON_POS)
    for x, y in ((168, 116), (425, 18)):
        layout.paste(check.crop((30, 0, 45, 15)), (x, y))
    layout.paste(check.crop((0, 0, 15, 15)), (471, 18))
    layout.save(os.path.join(folder, "skin-layout.png"))
    layout.resize((WIDTH * 2, HEIGHT * 2), Image.NEAREST).save(
        os.path.join(folder, "skin-layout-2x.png"))
    for name, strip in (("power-4x.png", power), ("checkbox-4x.png", check)):
        strip.resize((strip.width * 4, strip.height * 4), Image.NEAREST).save(
            os.path.join(folder, name))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description="Draws the editor page's bitmaps.")
    parser.add_argument("--out", default=os.path.join(here, "..", "MIDIPlugin", "resources"))
    parser.add_argument("--preview", help="folder for PNG previews (not part of the build)")
    args = parser.parse_args()

    skin = make_skin()
    power = make_power_strip(skin)
    check = make_check_strip()
    os.makedirs(args.out, exist_ok=True)
    for name, image in (("PageSkin.bmp", skin), ("PowerButton.bmp", power),
                        ("CheckBox.bmp", check)):
        image.save(os.path.join(args.out, name), "BMP")
    if args.preview:
        write_previews(args.preview, skin, power, check)


if __name__ == "__main__":
    main()
