#!/usr/bin/python3
"""The maker's word mark.

logo.svg: "KORVINATE" as outlines, one black fill, view box 722.3 x 134.1 units (the
editor recolours the black and scales it to the window).
about_logo.png: the same word mark in white on transparency, 165 x 32 pixels.
"""

import cairo

import common

VIEW_W, VIEW_H = 722.3, 134.1
WORD = "KORVINATE"
FACE = "Open Sans Extrabold"
SKEW = -0.16  # forward lean
TRACKING = 0.06  # of the font size


def word_mark_path():
    """The word mark as a list of cairo path operations, fitted to the view box."""
    surf = cairo.RecordingSurface(cairo.CONTENT_ALPHA, None)
    ctx = cairo.Context(surf)
    ctx.select_font_face(FACE, cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
    size = 200.0
    ctx.set_font_size(size)
    ctx.transform(cairo.Matrix(1, 0, SKEW, 1, 0, 0))
    x = 0.0
    for ch in WORD:
        ctx.move_to(x, 0)
        ctx.text_path(ch)
        x += ctx.text_extents(ch).x_advance + TRACKING * size
    ctx.identity_matrix()
    x0, y0, x1, y1 = ctx.fill_extents()
    path = ctx.copy_path()

    # Fit the outline exactly into the view box (uniform scale, centred).
    s = min(VIEW_W / (x1 - x0), VIEW_H / (y1 - y0))
    ox = (VIEW_W - (x1 - x0) * s) / 2 - x0 * s
    oy = (VIEW_H - (y1 - y0) * s) / 2 - y0 * s
    ops = []
    for kind, pts in path:
        pts = [(px * s + ox, py * s + oy) for px, py in zip(pts[0::2], pts[1::2])]
        ops.append((kind, pts))
    return ops


def svg_path_data(ops):
    parts = []
    for kind, pts in ops:
        coords = " ".join("%.2f %.2f" % p for p in pts)
        if kind == cairo.PATH_MOVE_TO:
            parts.append("M" + coords)
        elif kind == cairo.PATH_LINE_TO:
            parts.append("L" + coords)
        elif kind == cairo.PATH_CURVE_TO:
            parts.append("C" + coords)
        else:
            parts.append("Z")
    return "".join(parts)


def write_svg(ops, path):
    svg = ('<?xml version="1.0" encoding="UTF-8"?>\n'
           '<svg xmlns="http://www.w3.org/2000/svg" version="1.1" width="722.3" height="134.1" '
           'viewBox="0 0 722.3 134.1">\n'
           '<path fill="#000000" d="%s"/>\n'
           '</svg>\n') % svg_path_data(ops)
    with open(path, "w") as f:
        f.write(svg)
    print("wrote %s (%d bytes)" % (path, len(svg)))


def draw_ops(ctx, ops):
    for kind, pts in ops:
        if kind == cairo.PATH_MOVE_TO:
            ctx.move_to(*pts[0])
        elif kind == cairo.PATH_LINE_TO:
            ctx.line_to(*pts[0])
        elif kind == cairo.PATH_CURVE_TO:
            ctx.curve_to(*pts[0], *pts[1], *pts[2])
        else:
            ctx.close_path()


def render_word_mark(ops, width, height, margin, rgba):
    """The word mark centred in a transparent image, as an H x W x 4 float array."""
    surf = cairo.ImageSurface(cairo.FORMAT_ARGB32, width, height)
    ctx = cairo.Context(surf)
    s = min((width - 2 * margin) / VIEW_W, (height - 2 * margin) / VIEW_H)
    ctx.translate((width - VIEW_W * s) / 2, (height - VIEW_H * s) / 2)
    ctx.scale(s, s)
    draw_ops(ctx, ops)
    ctx.set_source_rgba(*rgba)
    ctx.fill()
    return common.cairo_to_array(surf)


def main():
    ops = word_mark_path()
    write_svg(ops, common.resource_path("logo.svg"))
    about = render_word_mark(ops, 165, 32, 2.0, (1, 1, 1, 1))
    common.save_png(about, common.resource_path("about_logo.png"))


if __name__ == "__main__":
    main()
