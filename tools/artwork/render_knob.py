#!/usr/bin/python3
"""Knob film strip: 128 frames of 115 x 117 stacked vertically (115 x 14976 pixels).

A black knurled knob seen from above: domed top with a red pointer line, a knurled
crown and a smooth skirt, lit from the upper left, with a soft shadow in the alpha.
Frame 0 points to seven o'clock, frames 63 and 64 straight up, frame 127 to five
o'clock (300 degrees of travel). The light stays put while the knob turns, so the
highlights run across the knurling as it rotates.
"""

import numpy as np

import common

FRAME_W, FRAME_H, FRAMES = 115, 117, 128
SS = 3  # supersampling factor
CX, CY = FRAME_W / 2.0, FRAME_H / 2.0 - 1.0
R_SKIRT = 44.5
R_CROWN_OUT = 36.0
R_TOP = 28.5
RIDGES = 40
TRAVEL_DEG = 300.0


def pointer_angle(frame):
    """Clockwise from straight up, in radians."""
    return np.radians(-TRAVEL_DEG / 2.0 + TRAVEL_DEG * frame / (FRAMES - 1))


def grid():
    ys, xs = np.mgrid[0 : FRAME_H * SS, 0 : FRAME_W * SS]
    x = (xs + 0.5) / SS - CX
    y = (ys + 0.5) / SS - CY
    return x, y


def height_field(r, theta):
    """Height in frame pixels above the pedal surface; theta is the knob-relative angle."""
    # Skirt: a cone with a rounded lip at the outer edge.
    skirt = 7.5 * common.smoothstep(R_SKIRT + 0.2, R_SKIRT - 2.5, r) - 0.55 * np.clip(r - R_CROWN_OUT, 0, None)
    skirt = np.maximum(skirt, 0.0)
    # Crown: knurled ring that rises from the skirt to the top face.
    t = np.clip((R_CROWN_OUT - r) / (R_CROWN_OUT - R_TOP), 0.0, 1.0)
    crown = 9.0 + 5.0 * t
    ridge = np.abs(np.cos(0.5 * RIDGES * theta))
    ridge = 1.0 - ridge ** 0.6  # sharp V grooves between flat lands
    fade = common.smoothstep(0.0, 0.15, t) * common.smoothstep(1.0, 0.8, t)
    crown = crown - 1.6 * ridge * fade
    # Top: gently domed.
    top = 14.0 + 3.0 * (1.0 - (r / R_TOP) ** 2) - 1.2 * common.smoothstep(R_TOP - 2.0, R_TOP, r)
    h = np.where(r < R_TOP, top, np.where(r < R_CROWN_OUT, crown, skirt))
    return h


def environment(refl):
    """Studio lighting reflected in the glossy plastic: a big soft box upper left, a dim floor."""
    key = common.normalize([-0.5, -0.55, 0.67])
    d = np.clip((refl * key).sum(axis=-1), -1, 1)
    softbox = common.smoothstep(0.80, 0.97, d)
    wide = np.exp(-(np.arccos(d) / 0.55) ** 2) * 0.22
    rim = common.smoothstep(0.2, 0.9, -refl[..., 1]) * 0.25  # sky above
    floor = common.smoothstep(0.0, 0.9, refl[..., 1]) * 0.04
    return softbox + wide + rim + floor


def shade(x, y, angle):
    r = np.hypot(x, y)
    theta_abs = np.arctan2(x, -y)  # clockwise from up
    theta = theta_abs - angle
    h = height_field(r, theta)
    n = common.normals_from_height(h, scale=SS)

    # Pointer: a red painted line on the top face, flush with it.
    along = x * np.sin(angle) - y * np.cos(angle)
    across = x * np.cos(angle) + y * np.sin(angle)
    pointer = common.smoothstep(1.9, 1.3, np.abs(across)) * common.smoothstep(4.0, 5.0, along)
    pointer *= common.smoothstep(R_TOP - 1.0, R_TOP - 2.5, along)

    albedo = np.empty(x.shape + (3,))
    albedo[:] = (0.035, 0.035, 0.038)
    red = np.array([0.80, 0.06, 0.04])
    albedo = albedo * (1 - pointer[..., None]) + red * pointer[..., None]

    # Fine concentric tooling marks on the top face make its highlight look machined.
    spun = 1.0 + 0.08 * np.sin(r * 9.0) * (r < R_TOP)

    diffuse = common.lambert(n)
    refl = 2.0 * n[..., 2:3] * n - common.VIEW  # reflect the view ray
    env = environment(refl)
    fresnel = 0.05 + 0.95 * (1.0 - n[..., 2]) ** 5
    spec = 0.55 * env * (0.35 + fresnel) * spun + 0.9 * common.blinn(n, 90.0)
    ambient = 0.35
    rgb = albedo * (ambient + 0.9 * diffuse)[..., None] + spec[..., None]

    # Ambient occlusion in the grooves and where the crown meets the skirt.
    occl = 1.0 - 0.45 * common.smoothstep(2.0, 0.0, np.abs(r - R_CROWN_OUT)) * (r > R_CROWN_OUT)
    rgb *= occl[..., None]
    coverage = np.clip((R_SKIRT - r) * SS + 0.5, 0.0, 1.0)
    return rgb, coverage


def drop_shadow(alpha):
    """Soft shadow cast down and to the right, plus a tight contact shadow."""
    far = common.shift(common.blur(alpha, 2.6), 3, 2) * 0.55
    near = common.shift(common.blur(alpha, 0.9), 1, 1) * 0.55
    return 1.0 - (1.0 - far) * (1.0 - near)


def render_frame(x, y, frame):
    rgb, cov = shade(x, y, pointer_angle(frame))
    # Resolve the supersampled image with premultiplied colour.
    cov_lo = common.downsample(cov, SS)
    rgb_lo = common.downsample(rgb * cov[..., None], SS) / np.maximum(cov_lo[..., None], 1e-6)
    shadow = drop_shadow(cov_lo)
    out = np.zeros((FRAME_H, FRAME_W, 4))
    out = common.over(out, np.zeros(3), shadow)
    out = common.over(out, rgb_lo, cov_lo)
    return out


def main():
    x, y = grid()
    frames = [render_frame(x, y, i) for i in range(FRAMES)]
    strip = np.concatenate(frames, axis=0)
    assert strip.shape == (FRAME_H * FRAMES, FRAME_W, 4)
    common.save_png(strip, common.resource_path("knob_strip.png"), palette_colours=256)


if __name__ == "__main__":
    main()
