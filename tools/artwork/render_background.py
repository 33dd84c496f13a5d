#!/usr/bin/python3
"""Background texture: 1400 x 1080 opaque dark grey stone with a darker vignette.

A slab of dark slate: broad tonal clouds, fine mineral grain, a few hairline veins
and a relief lit from the upper left. The editor draws it from its top-left corner
at 0.56 of its pixel size, so the visible 700 x 600 window covers pixels
0..1250 x 0..1071; the vignette is centred on that part, not on the whole image.
"""

import numpy as np

import common

W, H = 1400, 1080
SHOWN_SCALE = 0.5 * 1.12
VISIBLE_W, VISIBLE_H = 700 / SHOWN_SCALE, 600 / SHOWN_SCALE


def veins(shape, seed):
    """Ridged noise: thin bright lines where a smooth field crosses zero."""
    field = common.fractal_noise(shape, seed=seed, octaves=3, base_period=700.0, persistence=0.45, stretch=2.5)
    return np.exp(-(field / 0.012) ** 2)


def main():
    ys, xs = np.mgrid[0:H, 0:W].astype(np.float64)

    clouds = common.fractal_noise((H, W), seed=11, octaves=5, base_period=380.0, persistence=0.6)
    grain = common.fractal_noise((H, W), seed=12, octaves=3, base_period=6.0, persistence=0.6)
    pits = common.fractal_noise((H, W), seed=13, octaves=2, base_period=18.0, persistence=0.5)
    mottle = common.fractal_noise((H, W), seed=16, octaves=3, base_period=60.0, persistence=0.6, stretch=1.6)
    vein = 0.7 * veins((H, W), 14) + 0.5 * veins((H, W), 15)

    # Relief: gentle undulation, grain and shallow pits; veins are slightly raised.
    height = 5.0 * clouds + 1.2 * mottle + 0.7 * grain + 0.9 * np.minimum(pits, 0) + 0.3 * vein
    n = common.normals_from_height(height, scale=1.0)
    light = common.lambert(n)
    flat = common.lambert(np.dstack([np.zeros((H, W)), np.zeros((H, W)), np.ones((H, W))]))
    relief = light / flat

    albedo = 0.19 + 0.045 * clouds + 0.02 * mottle + 0.03 * grain + 0.04 * vein
    # Sparse light mineral flecks.
    rng = np.random.default_rng(1400)
    flecks = common.blur((rng.random((H, W)) < 0.0025).astype(float), 0.7) * 0.6
    albedo += flecks * 0.5

    tone = albedo * (0.55 + 0.45 * relief)

    # Vignette centred on the part of the texture the window shows.
    cx, cy = VISIBLE_W / 2, VISIBLE_H / 2
    d = np.hypot((xs - cx) / (VISIBLE_W * 0.62), (ys - cy) / (VISIBLE_H * 0.62))
    vignette = 1.0 - 0.62 * common.smoothstep(0.35, 1.15, d)
    tone *= vignette

    # A touch of warmth, as in real slate under a tungsten lamp.
    rgb = np.dstack([tone * 1.03, tone * 1.0, tone * 0.96])
    common.save_png(rgb, common.resource_path("background.png"))


if __name__ == "__main__":
    main()
