"""Where the editor puts its widgets over the pedal, in pedal-image pixels.

The editor draws the pedal at half its pixel size with its top-left corner at
(159, 47) of the 700 x 600 design window, so a design point (x, y) falls on
pedal pixel ((x - 159) * 2, (y - 47) * 2). The widget rectangles below are the
editor's design-size bounds; each widget scales its frame into its whole
rectangle, so a frame's centre lands on the rectangle's centre.
"""

PEDAL_W, PEDAL_H = 764, 1015
PEDAL_ORIGIN = (159, 47)
DESIGN_W, DESIGN_H = 700, 600

KNOB_RECTS = [(181, 95, 57, 58), (251, 95, 57, 58), (322, 95, 57, 58), (392, 95, 57, 58), (461, 95, 57, 58)]
KNOB_NAMES = ["GAIN", "BASS", "MID", "TREBLE", "VOLUME"]
LED_RECT = (338, 284, 21, 21)
FOOTSWITCH_RECT = (319, 348, 57, 52)

KNOB_FRAME = (115, 117)
LED_FRAME = (43, 43)
FOOTSWITCH_SIZE = (115, 105)


def to_pedal(x, y):
    return ((x - PEDAL_ORIGIN[0]) * 2.0, (y - PEDAL_ORIGIN[1]) * 2.0)


def rect_centre_on_pedal(rect):
    x, y, w, h = rect
    return to_pedal(x + w / 2.0, y + h / 2.0)


def frame_scale_on_pedal(rect, frame_size):
    """Pedal pixels per frame pixel for a widget that stretches its frame over rect."""
    return 2.0 * rect[2] / frame_size[0], 2.0 * rect[3] / frame_size[1]


def keep_proportions_scale_on_pedal(rect, image_size):
    """The footswitch button keeps the image's proportions inside its rectangle."""
    s = min(rect[2] / image_size[0], rect[3] / image_size[1])
    return 2.0 * s


KNOB_CENTRES = [rect_centre_on_pedal(r) for r in KNOB_RECTS]
LED_CENTRE = rect_centre_on_pedal(LED_RECT)
FOOTSWITCH_CENTRE = rect_centre_on_pedal(FOOTSWITCH_RECT)
