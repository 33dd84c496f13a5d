#!/usr/bin/python3
"""Footswitch images: 115 x 105 pixels each, switch up and switch pressed.

A nickel-plated hexagon nut with chamfered corners, the threaded bushing of the
switch and its domed plunger, seen from above with a soft shadow. Pressed, the
plunger sinks into the bushing: it looks a little smaller, loses its bright
highlight and sits in a darker gap.
"""

import math

import numpy as np

import common

W, H = 115, 105
SS = 3
NUT_RADIUS = 50.0  # centre to vertex; vertices left and right, flats top and bottom
BUSHING_RADIUS = 26.0
PLUNGER_RADIUS = 17.5


def hexagon_sdf(x, y, radius):
    px, py = np.abs(x), np.abs(y)
    apothem = radius * math.sqrt(3) / 2
    return np.minimum(apothem - py, apothem - (px * math.sqrt(3) / 2 + py * 0.5))


def render(pressed):
    ys, xs = np.mgrid[0 : H * SS, 0 : W * SS]
    x = (xs + 0.5) / SS - W / 2.0
    y = (ys + 0.5) / SS - H / 2.0
    r = np.hypot(x, y)

    d_nut = hexagon_sdf(x, y, NUT_RADIUS)
    nut_cov = np.clip(d_nut * SS + 0.5, 0, 1)
    apothem = NUT_RADIUS * math.sqrt(3) / 2
    # Flat top with the conical chamfer that rounds off the corners, and a small edge bevel.
    chamfer = 7.0 - 0.55 * np.maximum(r - apothem * 0.93, 0)
    top = 7.0 + 1.5 * (1 - np.clip(r / apothem, 0, 1) ** 2)
    h = np.minimum(np.minimum(top, chamfer), 3.0 + 1.2 * np.maximum(d_nut, 0))
    h = np.maximum(h, 0)

    # Threaded bushing: concentric thread crests.
    in_bushing = r < BUSHING_RADIUS
    threads = 0.35 * np.sin(r * 2 * np.pi / 1.5)
    h = np.where(in_bushing, 11.0 + threads * common.smoothstep(PLUNGER_RADIUS + 1, PLUNGER_RADIUS + 3, r), h)

    plunger_r = PLUNGER_RADIUS * (0.95 if pressed else 1.0)
    t = np.clip(r / plunger_r, 0, 1)
    dome_top = 13.0 if pressed else 17.0
    gap_depth = 5.5 if pressed else 9.0
    dome = dome_top + 4.0 * np.sqrt(np.clip(1 - t * t, 0, 1))
    gap = (r >= plunger_r) & (r < plunger_r + 1.6)
    h = np.where(r < plunger_r, dome, np.where(gap, gap_depth, h))

    n = common.normals_from_height(h, scale=SS)
    env = common.studio_environment(common.reflect_view(n))
    diffuse = common.lambert(n)
    spec = common.blinn(n, 140.0)
    nickel = np.array([0.78, 0.77, 0.74])
    rgb = nickel * (0.08 + 0.18 * diffuse[..., None] + 0.8 * env[..., None]) + 0.9 * spec[..., None]
    # Occlusion: the plunger sits in a dark gap, deeper when pressed.
    ao = 1.0 - (0.75 if pressed else 0.55) * (common.smoothstep(plunger_r + 3.5, plunger_r, r) * (r >= plunger_r - 0.3))
    if pressed:
        ao *= 1.0 - 0.28 * (r < plunger_r)
    ao *= 1.0 - 0.35 * common.smoothstep(BUSHING_RADIUS + 2.5, BUSHING_RADIUS, r) * (r >= BUSHING_RADIUS)
    rgb *= ao[..., None]

    cov = nut_cov
    cov_lo = common.downsample(cov, SS)
    rgb_lo = common.downsample(rgb * cov[..., None], SS) / np.maximum(cov_lo[..., None], 1e-6)
    shadow = 1 - (1 - common.shift(common.blur(cov_lo, 3.0), 4, 2) * 0.6) * (1 - common.shift(common.blur(cov_lo, 1.0), 1, 1) * 0.5)
    out = np.zeros((H, W, 4))
    out = common.over(out, np.zeros(3), shadow)
    out = common.over(out, np.clip(rgb_lo, 0, 1), cov_lo)
    return out


def main():
    common.save_png(render(False), common.resource_path("footswitch_up.png"))
    common.save_png(render(True), common.resource_path("footswitch_down.png"))


if __name__ == "__main__":
    main()
