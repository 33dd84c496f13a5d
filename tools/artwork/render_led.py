#!/usr/bin/python3
"""LED strip: 2 frames of 43 x 43 stacked vertically (43 x 86 pixels).

Frame 0 is the unlit lens, a dark red glossy dome; frame 1 is lit, with a hot
core, light scattered in the diffused epoxy and a soft glow that spills over
the chrome bezel of the pedal around it.
"""

import numpy as np

import common

FRAME = 43
SS = 4
LENS_RADIUS = 14.5


def render(lit):
    ys, xs = np.mgrid[0 : FRAME * SS, 0 : FRAME * SS]
    x = (xs + 0.5) / SS - FRAME / 2.0
    y = (ys + 0.5) / SS - FRAME / 2.0
    r = np.hypot(x, y)
    cov = np.clip((LENS_RADIUS - r) * SS + 0.5, 0, 1)

    # Dome of the lens.
    t = np.clip(r / LENS_RADIUS, 0, 1)
    h = 9.0 * np.sqrt(np.clip(1 - t * t, 0, 1))
    n = common.normals_from_height(h, scale=SS)
    env = common.studio_environment(common.reflect_view(n))
    fresnel = 0.04 + 0.96 * (1 - n[..., 2]) ** 5

    if lit:
        core = np.exp(-(r / 4.5) ** 2)
        body = np.exp(-(r / 11.0) ** 2)
        rgb = np.array([1.0, 0.10, 0.05]) * (0.45 + 0.8 * body)[..., None]
        rgb = rgb + np.array([1.0, 0.75, 0.55]) * core[..., None] * 0.9
        rgb = rgb + (0.25 * env * (0.2 + fresnel))[..., None]
    else:
        # Unlit: the die and its reflector cup show faintly through the tinted epoxy.
        cup = common.smoothstep(6.0, 4.5, r) * 0.06
        rgb = np.array([0.30, 0.03, 0.03]) * (0.35 + 0.5 * common.lambert(n) + cup)[..., None]
        rgb = rgb + (0.55 * env * (0.15 + fresnel) + 0.9 * common.blinn(n, 80.0))[..., None]
    # A rim where the dome meets the bezel.
    rgb *= (1 - 0.5 * common.smoothstep(LENS_RADIUS - 1.5, LENS_RADIUS, r))[..., None]

    cov_lo = common.downsample(cov, SS)
    rgb_lo = common.downsample(rgb * cov[..., None], SS) / np.maximum(cov_lo[..., None], 1e-6)
    r_lo = common.downsample(r, SS)
    out = np.zeros((FRAME, FRAME, 4))
    if lit:
        glow = 0.75 * np.exp(-((np.maximum(r_lo - LENS_RADIUS * 0.6, 0)) / 6.0) ** 1.5)
        glow *= common.smoothstep(FRAME / 2.0, FRAME / 2.0 - 4.0, r_lo)
        out = common.over(out, np.array([1.0, 0.18, 0.08]), glow)
    out = common.over(out, np.clip(rgb_lo, 0, 1), cov_lo)
    return out


def main():
    strip = np.concatenate([render(False), render(True)], axis=0)
    common.save_png(strip, common.resource_path("led_strip.png"))


if __name__ == "__main__":
    main()
