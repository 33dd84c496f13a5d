"""Shared helpers of the artwork renderers: numpy image maths, cairo glue and PNG output.

Images are float arrays in 0..1. Colour images are H x W x 3 (or 4 with straight alpha).
Every random source is seeded, so each run produces the same pixels.
"""

import os
import subprocess

import numpy as np
from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.normpath(os.path.join(HERE, "..", ".."))
RESOURCES = os.path.join(REPO, "Resources")


def resource_path(name):
    return os.path.join(RESOURCES, name)


# ---------------------------------------------------------------- filtering


def gaussian_kernel(sigma):
    radius = max(1, int(3.0 * sigma + 0.5))
    x = np.arange(-radius, radius + 1, dtype=np.float64)
    k = np.exp(-0.5 * (x / sigma) ** 2)
    return k / k.sum()


def blur(a, sigma):
    """Separable Gaussian blur of a 2-D array (edges clamp)."""
    if sigma <= 0:
        return a.copy()
    k = gaussian_kernel(sigma)
    r = len(k) // 2
    out = a.astype(np.float64)
    for axis in (0, 1):
        pad = [(0, 0), (0, 0)]
        pad[axis] = (r, r)
        p = np.pad(out, pad, mode="edge")
        acc = np.zeros_like(out)
        n = out.shape[axis]
        for i, w in enumerate(k):
            sl = [slice(None), slice(None)]
            sl[axis] = slice(i, i + n)
            acc += w * p[tuple(sl)]
        out = acc
    return out


def shift(a, dy, dx):
    """Move a 2-D array by whole pixels, filling with zeros (no wrap-around)."""
    out = np.zeros_like(a)
    h, w = a.shape[:2]
    ys, yd = (slice(0, h - dy), slice(dy, h)) if dy >= 0 else (slice(-dy, h), slice(0, h + dy))
    xs, xd = (slice(0, w - dx), slice(dx, w)) if dx >= 0 else (slice(-dx, w), slice(0, w + dx))
    out[yd, xd] = a[ys, xs]
    return out


def downsample(a, factor):
    """Box-filter an array by an integer factor in both axes (supersampling resolve)."""
    if factor == 1:
        return a
    h, w = a.shape[0] // factor, a.shape[1] // factor
    a = a[: h * factor, : w * factor]
    shape = (h, factor, w, factor) + a.shape[2:]
    return a.reshape(shape).mean(axis=(1, 3))


def smoothstep(e0, e1, x):
    t = np.clip((x - e0) / (e1 - e0), 0.0, 1.0)
    return t * t * (3.0 - 2.0 * t)


# ---------------------------------------------------------------- noise


def fractal_noise(shape, seed, octaves=6, base_period=256.0, persistence=0.55, stretch=1.0):
    """Band-limited fractal noise in roughly -1..1, built in the frequency domain.

    stretch > 1 elongates the features along a diagonal, like bedding in stone.
    """
    rng = np.random.default_rng(seed)
    h, w = shape
    fy = np.fft.fftfreq(h)[:, None]
    fx = np.fft.fftfreq(w)[None, :]
    u, v = (fx + fy) / np.sqrt(2.0), (fx - fy) / np.sqrt(2.0)
    f = np.sqrt((u * stretch) ** 2 + (v / stretch) ** 2) + 1e-9
    out = np.zeros(shape)
    amp = 1.0
    period = base_period
    for _ in range(octaves):
        white = rng.standard_normal(shape)
        centre = 1.0 / period
        band = np.exp(-0.5 * (np.log(f / centre) / 0.5) ** 2)
        layer = np.real(np.fft.ifft2(np.fft.fft2(white) * band))
        layer /= layer.std() + 1e-12
        out += amp * layer
        amp *= persistence
        period /= 2.0
    out /= np.abs(out).max() + 1e-12
    return out


# ---------------------------------------------------------------- shading


def normals_from_height(hgt, scale=1.0):
    gy, gx = np.gradient(hgt * scale)
    n = np.stack([-gx, -gy, np.ones_like(hgt)], axis=-1)
    return n / np.linalg.norm(n, axis=-1, keepdims=True)


def normalize(v):
    v = np.asarray(v, dtype=np.float64)
    return v / np.linalg.norm(v)


# Light from the upper left, fairly high, as over a pedal board lit from the front.
LIGHT = normalize([-0.45, -0.6, 0.75])
VIEW = np.array([0.0, 0.0, 1.0])


def lambert(n, light=LIGHT):
    return np.clip((n * light).sum(axis=-1), 0.0, 1.0)


def blinn(n, shininess, light=LIGHT):
    half = normalize(light + VIEW)
    return np.clip((n * half).sum(axis=-1), 0.0, 1.0) ** shininess


# ---------------------------------------------------------------- cairo glue


def cairo_to_array(surface):
    """A cairo ARGB32 image surface as an H x W x 4 float array with straight alpha."""
    surface.flush()
    w, h = surface.get_width(), surface.get_height()
    stride = surface.get_stride()
    buf = np.frombuffer(surface.get_data(), dtype=np.uint8).reshape(h, stride // 4, 4)[:, :w, :]
    bgra = buf.astype(np.float64) / 255.0
    a = bgra[..., 3:4]
    rgb = bgra[..., 2::-1] / np.maximum(a, 1e-6)
    return np.concatenate([np.clip(rgb, 0, 1), a], axis=-1)


def cairo_mask(width, height, draw):
    """Render draw(ctx) in white and return its coverage (0..1) as an H x W array."""
    import cairo

    surf = cairo.ImageSurface(cairo.FORMAT_ARGB32, width, height)
    ctx = cairo.Context(surf)
    ctx.set_source_rgba(1, 1, 1, 1)
    draw(ctx)
    return cairo_to_array(surf)[..., 3]


# ---------------------------------------------------------------- compositing


def over(dst, src_rgb, src_a):
    """Straight-alpha 'over': dst is H x W x 4, src_rgb H x W x 3 (or colour), src_a H x W."""
    src_rgb = np.broadcast_to(np.asarray(src_rgb, dtype=np.float64), dst[..., :3].shape)
    sa = src_a[..., None]
    da = dst[..., 3:4]
    out_a = sa + da * (1.0 - sa)
    rgb = (src_rgb * sa + dst[..., :3] * da * (1.0 - sa)) / np.maximum(out_a, 1e-6)
    return np.concatenate([rgb, out_a], axis=-1)


def to_uint8(a):
    return (np.clip(a, 0.0, 1.0) * 255.0 + 0.5).astype(np.uint8)


# ---------------------------------------------------------------- output


def save_png(rgba, path, palette_colours=None, dither=1.0):
    """Write an image array as an optimised PNG.

    palette_colours quantises to an indexed PNG (with per-entry alpha) through
    libimagequant, which keeps the big film strips small; None writes truecolour.
    """
    arr = to_uint8(rgba)
    mode = "L" if arr.ndim == 2 else {3: "RGB", 4: "RGBA"}[arr.shape[2]]
    img = Image.fromarray(arr, mode)
    if palette_colours:
        img = img.quantize(colors=palette_colours, method=Image.Quantize.LIBIMAGEQUANT,
                           dither=Image.Dither.FLOYDSTEINBERG if dither else Image.Dither.NONE)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    img.save(path, optimize=True)
    try:
        subprocess.run(["optipng", "-quiet", "-o2", "-strip", "all", path], check=True)
    except FileNotFoundError:
        pass
    print("wrote %s (%d x %d, %d bytes)" % (os.path.relpath(path, REPO), img.width, img.height, os.path.getsize(path)))


def studio_environment(refl):
    """What a glossy surface reflects: a soft box upper left, a light sky, a dark horizon and floor.

    refl is an H x W x 3 array of unit reflection vectors (y points down the image).
    """
    key = normalize([-0.5, -0.6, 0.62])
    d = np.clip((refl * key).sum(axis=-1), -1, 1)
    softbox = smoothstep(0.86, 0.97, d)
    up = -refl[..., 1]
    sky = 0.55 * smoothstep(-0.05, 0.5, up)
    horizon = 0.08
    floor = 0.18 * smoothstep(0.1, 0.8, -up)
    ceiling = 0.30 * smoothstep(0.75, 1.0, refl[..., 2]) * (0.7 + 0.6 * smoothstep(-0.3, 0.3, -refl[..., 0] - refl[..., 1]))
    return softbox * 1.2 + sky + horizon + floor + ceiling


def reflect_view(n):
    return 2.0 * n[..., 2:3] * n - VIEW
