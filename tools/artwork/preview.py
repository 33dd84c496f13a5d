#!/usr/bin/python3
"""Preview sheet: the artwork composited as the editor shows it, for checking by eye.

Writes build-artwork/preview.png (the 700 x 600 window at 2x, as on a high-density
display) and build-artwork/preview_1x.png. Knobs are set to different frames, the LED
is lit, and an inset row shows the LED off and the footswitch pressed. Nothing here is
shipped; it reads the PNGs the build embeds.
"""

import os
import sys

import cairo
import numpy as np
from PIL import Image

import common
import layout
import render_logos

OUT_DIR = os.path.join(common.REPO, "build-artwork")
LIGHT = (0xF0 / 255, 0xE9 / 255, 0xDE / 255)


def load(name):
    return Image.open(common.resource_path(name)).convert("RGBA")


def scaled(img, w, h):
    return img.resize((max(1, int(round(w))), max(1, int(round(h)))), Image.LANCZOS)


def compose(scale):
    W, H = int(700 * scale), int(600 * scale)
    sheet = Image.new("RGBA", (W, H), (0x17, 0x18, 0x19, 255))

    bg = load("background.png")
    s = 0.5 * 1.12 * scale
    sheet.alpha_composite(scaled(bg, bg.width * s, bg.height * s).crop((0, 0, W, H)))

    # Logo, recoloured to the light theme colour, as the editor's paint draws it.
    surf = cairo.ImageSurface(cairo.FORMAT_ARGB32, W, H)
    ctx = cairo.Context(surf)
    ctx.scale(scale, scale)
    ctx.translate(10, 10)
    ctx.scale(0.12, 0.12)
    render_logos.draw_ops(ctx, render_logos.word_mark_path())
    ctx.set_source_rgb(*LIGHT)
    ctx.fill()
    sheet.alpha_composite(Image.fromarray(common.to_uint8(common.cairo_to_array(surf)), "RGBA"))

    pedal = load("pedal.png")
    px, py = layout.PEDAL_ORIGIN
    sheet.alpha_composite(scaled(pedal, pedal.width * 0.5 * scale, pedal.height * 0.5 * scale),
                          (int(px * scale), int(py * scale)))

    strip = load("knob_strip.png")
    fw, fh = layout.KNOB_FRAME
    for (x, y, w, h), frame in zip(layout.KNOB_RECTS, (0, 40, 64, 90, 127)):
        f = strip.crop((0, frame * fh, fw, frame * fh + fh))
        sheet.alpha_composite(scaled(f, w * scale, h * scale), (int(x * scale), int(y * scale)))

    led = load("led_strip.png")
    x, y, w, h = layout.LED_RECT
    sheet.alpha_composite(scaled(led.crop((0, 43, 43, 86)), w * scale, h * scale), (int(x * scale), int(y * scale)))

    fs = load("footswitch_up.png")
    x, y, w, h = layout.FOOTSWITCH_RECT
    k = min(w / fs.width, h / fs.height) * scale
    fw2, fh2 = fs.width * k, fs.height * k
    sheet.alpha_composite(scaled(fs, fw2, fh2), (int(x * scale + (w * scale - fw2) / 2), int(y * scale + (h * scale - fh2) / 2)))
    return sheet


def inset(sheet, scale):
    """Bottom-right inset: the LED off and the footswitch pressed, each over its pedal spot."""
    pedal = load("pedal.png")
    cx, cy = layout.FOOTSWITCH_CENTRE
    crop = pedal.crop((int(cx - 150), int(cy - 200), int(cx + 90), int(cy + 70)))
    led = load("led_strip.png").crop((0, 0, 43, 43))
    lx, ly = layout.LED_CENTRE
    k = layout.frame_scale_on_pedal(layout.LED_RECT, layout.LED_FRAME)[0]
    led = scaled(led, 43 * k, 43 * k)
    crop.alpha_composite(led, (int(lx - (cx - 150) - led.width / 2), int(ly - (cy - 200) - led.height / 2)))
    fs = load("footswitch_down.png")
    k = layout.keep_proportions_scale_on_pedal(layout.FOOTSWITCH_RECT, layout.FOOTSWITCH_SIZE)
    fs = scaled(fs, fs.width * k, fs.height * k)
    crop.alpha_composite(fs, (int(150 - fs.width / 2), int(200 - fs.height / 2)))
    crop = scaled(crop, crop.width * scale / 2, crop.height * scale / 2)
    framed = Image.new("RGBA", (crop.width + 4, crop.height + 4), (240, 233, 222, 255))
    framed.alpha_composite(crop, (2, 2))
    sheet.alpha_composite(framed, (sheet.width - framed.width - int(8 * scale), sheet.height - framed.height - int(8 * scale)))


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    for scale, name in ((2, "preview.png"), (1, "preview_1x.png")):
        sheet = compose(scale)
        inset(sheet, scale)
        path = os.path.join(OUT_DIR, name)
        sheet.convert("RGB").save(path)
        print("wrote", os.path.relpath(path, common.REPO))
    return 0


if __name__ == "__main__":
    sys.exit(main())
