#!/usr/bin/python3
"""Pedal artwork: 764 x 1015 pixels with transparency.

A painted die-cast enclosure with rounded, bevelled edges, a scorched sunburst
finish with fine speckle, four corner screws, sockets under the five knobs with
printed scales and names, a chrome LED bezel, a hexagonal recess for the
footswitch nut, the product name and the maker's name, over a soft drop shadow.
Every hole sits exactly under the widget the editor places there (see layout.py).
"""

import math

import cairo
import numpy as np

import common
import layout

W, H = layout.PEDAL_W, layout.PEDAL_H
BODY = (14.0, 8.0, 746.0, 984.0)  # x0, y0, x1, y1
BODY_RADIUS = 46.0
BEVEL = 22.0

INK = np.array([0.96, 0.91, 0.80])
KNOB_HOLE_RADIUS = 41.0
LED_HOLE_RADIUS = 16.0
LED_BEZEL_RADIUS = 23.5
HEX_RADIUS = 55.0  # footswitch recess, vertex to centre; flat top and bottom
SCREW_RADIUS = 12.5
SCREW_INSET = 34.0
TEXT_FACE = "Open Sans"
TITLE_FACE = "URW Bookman"


def grid():
    ys, xs = np.mgrid[0:H, 0:W]
    return xs + 0.5, ys + 0.5


def rounded_rect_sdf(x, y, rect, radius):
    """Signed distance to a rounded rectangle, positive inside."""
    x0, y0, x1, y1 = rect
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius
    qx, qy = np.abs(x - cx) - hx, np.abs(y - cy) - hy
    outside = np.hypot(np.maximum(qx, 0), np.maximum(qy, 0))
    inside = np.minimum(np.maximum(qx, qy), 0)
    return radius - (outside + inside)


def hexagon_sdf(x, y, centre, radius):
    """Signed distance to a regular hexagon with vertices left and right, positive inside."""
    px, py = np.abs(x - centre[0]), np.abs(y - centre[1])
    apothem = radius * math.sqrt(3) / 2
    # Edges: the flat top/bottom and the two slanted sides.
    d_flat = apothem - py
    nx, ny = math.sqrt(3) / 2, 0.5
    d_slant = apothem - (px * nx + py * ny)
    return np.minimum(d_flat, d_slant)


def text_mask(draw_items):
    """Cream print: draw_items is a list of (text, face, slant, weight, size, cx, baseline, tracking)."""

    def draw(ctx):
        for text, face, slant, weight, size, cx, baseline, tracking in draw_items:
            ctx.select_font_face(face, slant, weight)
            ctx.set_font_size(size)
            advances = [ctx.text_extents(ch).x_advance for ch in text]
            total = sum(advances) + tracking * (len(text) - 1)
            x = cx - total / 2
            for ch, adv in zip(text, advances):
                ctx.move_to(x, baseline)
                ctx.text_path(ch)
                x += adv + tracking
            ctx.fill()

    return common.cairo_mask(W, H, draw)


def scale_mask():
    """Printed scale around every knob: eleven ticks over the knob's 300 degrees."""

    def draw(ctx):
        ctx.set_line_cap(cairo.LINE_CAP_ROUND)
        for cx, cy in layout.KNOB_CENTRES:
            for i in range(11):
                a = math.radians(-150 + 30 * i)
                major = i in (0, 5, 10)
                r0, r1 = 50.0, (60.0 if major else 56.5)
                ctx.set_line_width(3.2 if major else 2.4)
                ctx.move_to(cx + r0 * math.sin(a), cy - r0 * math.cos(a))
                ctx.line_to(cx + r1 * math.sin(a), cy - r1 * math.cos(a))
                ctx.stroke()

    return common.cairo_mask(W, H, draw)


def maker_rules_mask(text_left, text_right, y):
    """Thin rules either side of the maker's name."""

    def draw(ctx):
        ctx.set_line_width(2.0)
        gap, length = 18.0, 110.0
        for x0, x1 in ((text_left - gap - length, text_left - gap), (text_right + gap, text_right + gap + length)):
            ctx.move_to(x0, y)
            ctx.line_to(x1, y)
        ctx.stroke()

    return common.cairo_mask(W, H, draw)


def screw_positions():
    x0, y0, x1, y1 = BODY
    return [(x0 + SCREW_INSET, y0 + SCREW_INSET), (x1 - SCREW_INSET, y0 + SCREW_INSET),
            (x0 + SCREW_INSET, y1 - SCREW_INSET), (x1 - SCREW_INSET, y1 - SCREW_INSET)]


def main():
    x, y = grid()
    rng = np.random.default_rng(1833)

    # ------------------------------------------------------------ height field
    d_body = rounded_rect_sdf(x, y, BODY, BODY_RADIUS)
    body_cov = np.clip(d_body + 0.5, 0, 1)
    t = np.clip(d_body / BEVEL, 0, 1)
    h = BEVEL * np.sqrt(1 - (1 - t) ** 2) * 0.8
    h += 0.18 * common.fractal_noise((H, W), seed=7, octaves=3, base_period=24.0)  # orange peel

    # Knob sockets: shallow round recesses, hidden by the knobs in normal use.
    socket = np.zeros((H, W))
    for cx, cy in layout.KNOB_CENTRES:
        r = np.hypot(x - cx, y - cy)
        socket = np.maximum(socket, common.smoothstep(KNOB_HOLE_RADIUS + 1.0, KNOB_HOLE_RADIUS - 1.0, r))
    h -= 3.0 * socket

    # LED: chrome bezel ring around a dark hole.
    lx, ly = layout.LED_CENTRE
    r_led = np.hypot(x - lx, y - ly)
    ring_t = np.clip((r_led - LED_HOLE_RADIUS) / (LED_BEZEL_RADIUS - LED_HOLE_RADIUS), 0, 1)
    bezel_cov = common.smoothstep(LED_BEZEL_RADIUS + 0.7, LED_BEZEL_RADIUS - 0.7, r_led) * common.smoothstep(
        LED_HOLE_RADIUS - 0.7, LED_HOLE_RADIUS + 0.7, r_led)
    h += bezel_cov * 3.5 * np.sin(np.pi * ring_t) ** 0.7
    led_hole = common.smoothstep(LED_HOLE_RADIUS + 0.7, LED_HOLE_RADIUS - 0.7, r_led)
    h -= 4.0 * led_hole

    # Footswitch: hexagonal recess cast into the lid.
    d_hex = hexagon_sdf(x, y, layout.FOOTSWITCH_CENTRE, HEX_RADIUS)
    hex_in = common.smoothstep(-1.2, 1.2, d_hex)
    h -= 5.0 * hex_in

    # Screws: domed chrome heads with a cross slot.
    screw_cov = np.zeros((H, W))
    for sx, sy in screw_positions():
        r = np.hypot(x - sx, y - sy)
        cov = common.smoothstep(SCREW_RADIUS + 0.7, SCREW_RADIUS - 0.7, r)
        dome = 3.5 * np.sqrt(np.clip(1 - (r / SCREW_RADIUS) ** 2, 0, 1))
        u, v = (x - sx + y - sy) / math.sqrt(2), (x - sx - (y - sy)) / math.sqrt(2)  # slots at 45 degrees
        slot = np.maximum(common.smoothstep(1.9, 1.0, np.abs(u)), common.smoothstep(1.9, 1.0, np.abs(v)))
        slot *= common.smoothstep(8.0, 6.5, r)
        h += cov * (dome + 0.5 - 2.2 * slot)
        screw_cov = np.maximum(screw_cov, cov)
    # A ring of shadow where each screw head sits in its countersink.
    screw_seat = np.zeros((H, W))
    for sx, sy in screw_positions():
        r = np.hypot(x - sx, y - sy)
        screw_seat = np.maximum(screw_seat, common.smoothstep(SCREW_RADIUS + 3.0, SCREW_RADIUS + 0.5, r) * (1 - screw_cov))

    # Print.
    slant_i, bold, normal = cairo.FONT_SLANT_ITALIC, cairo.FONT_WEIGHT_BOLD, cairo.FONT_SLANT_NORMAL
    names = [(name, TEXT_FACE, normal, bold, 21.0, cx, cy + 88.0, 2.5)
             for name, (cx, cy) in zip(layout.KNOB_NAMES, layout.KNOB_CENTRES)]
    mid_x = (layout.KNOB_CENTRES[0][0] + layout.KNOB_CENTRES[-1][0]) / 2
    title = [("Scorch Box", TITLE_FACE, slant_i, bold, 96.0, mid_x, 392.0, 1.0)]
    maker = [("Korvinate", TEXT_FACE, normal, bold, 40.0, mid_x, 907.0, 6.0)]
    ink = np.maximum(text_mask(names + maker), scale_mask())
    cols = np.nonzero(text_mask(maker).max(axis=0) > 0.1)[0]
    ink = np.maximum(ink, maker_rules_mask(cols[0], cols[-1] + 1, 893.0))
    title_ink = text_mask(title)
    # A thin dark keyline behind the title makes it read as a two-colour print.
    title_keyline = np.clip(common.blur(title_ink, 1.6) * 2.2, 0, 1)
    title_keyline = common.shift(title_keyline, 2, 2)
    ink_all = np.maximum(ink, title_ink)
    h += 0.25 * ink_all

    # ------------------------------------------------------------ materials
    # Scorched sunburst: warm orange in the middle, burnt red towards the edges.
    mid_y = 430.0
    rr = np.hypot((x - mid_x) / 420.0, (y - mid_y) / 560.0)
    burst = common.smoothstep(0.25, 1.05, rr)
    centre_col = np.array([0.80, 0.29, 0.06])
    edge_col = np.array([0.42, 0.07, 0.03])
    paint = centre_col * (1 - burst[..., None]) + edge_col * burst[..., None]
    speckle = common.blur(rng.standard_normal((H, W)), 0.6)
    speckle /= speckle.std()
    paint *= (1 + 0.07 * speckle)[..., None]
    flakes = (rng.random((H, W)) < 0.0015).astype(float)
    flakes = common.blur(flakes, 0.5) * 1.2

    albedo = paint
    albedo = albedo * (1 - title_keyline[..., None] * 0.55)
    albedo = albedo * (1 - ink_all[..., None]) + INK * ink_all[..., None]
    dark = np.array([0.025, 0.02, 0.02])
    recess = np.maximum(np.maximum(led_hole, socket * 0.0), 0)
    albedo = albedo * (1 - recess[..., None]) + dark * recess[..., None]
    hex_floor = np.array([0.20, 0.05, 0.02])
    albedo = albedo * (1 - hex_in[..., None] * 0.6) + hex_floor * hex_in[..., None] * 0.6

    chrome = np.maximum(screw_cov, bezel_cov * (1 - led_hole))

    # ------------------------------------------------------------ lighting
    n = common.normals_from_height(h)
    diffuse = common.lambert(n)
    env = common.studio_environment(common.reflect_view(n))
    fresnel = 0.04 + 0.96 * (1 - n[..., 2]) ** 5
    ao = np.clip(1.0 - 0.09 * (common.blur(h, 5.0) - h), 0.35, 1.0)
    ao *= 1 - 0.5 * screw_seat

    paint_rgb = albedo * (0.30 + 0.85 * diffuse)[..., None]
    paint_rgb += (0.16 * common.blinn(n, 18.0) + 0.12 * env * (0.3 + fresnel))[..., None]
    paint_rgb += (flakes * common.blinn(n, 6.0))[..., None] * np.array([0.9, 0.6, 0.35])
    chrome_albedo = np.array([0.80, 0.80, 0.82])
    chrome_rgb = chrome_albedo * (0.10 + 0.15 * diffuse[..., None] + 0.85 * env[..., None]) + 0.8 * common.blinn(n, 120.0)[..., None]
    rgb = paint_rgb * (1 - chrome[..., None]) + chrome_rgb * chrome[..., None]
    rgb *= ao[..., None]
    # The hexagonal recess and the sockets lie in their own shadow.
    rgb *= (1 - 0.35 * hex_in)[..., None]
    rgb *= (1 - 0.5 * socket)[..., None]

    # ------------------------------------------------------------ alpha and shadow
    shadow_far = common.shift(common.blur(body_cov, 9.0), 10, 3) * 0.7
    shadow_near = common.shift(common.blur(body_cov, 2.0), 2, 0) * 0.6
    shadow = 1 - (1 - shadow_far) * (1 - shadow_near)
    out = np.zeros((H, W, 4))
    out = common.over(out, np.zeros(3), shadow)
    out = common.over(out, np.clip(rgb, 0, 1), body_cov)
    common.save_png(out, common.resource_path("pedal.png"))


if __name__ == "__main__":
    main()
