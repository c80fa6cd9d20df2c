#!/usr/bin/env python3
"""Draws the tray themes (nine themes, three pictures each) and the ten frames of the band bar's logo
clip as SVG into src/app/resources/. Run it again after changing a drawing; the SVGs are committed."""
import math
import os
import sys

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "app", "resources")

# name, face fill, outline, the shape of the head
THEMES = [
    ("fear", "#b9d7ff", "#102a52", "round"),
    ("fool", "#ffb347", "#4a2200", "jester"),
    ("funny", "#ffe14d", "#4a3a00", "round"),
    ("happy", "#8be07a", "#123d0c", "round"),
    ("love", "#ff8fb8", "#5a0f2e", "heart"),
    ("robot", "#c9ced6", "#1e2530", "square"),
    ("sad", "#8fb3e6", "#14284a", "round"),
    ("wag", "#d9a066", "#3d2308", "dog"),
    ("wink", "#ffd24d", "#4a3300", "round"),
]


def head(shape, fill, line):
    s = f'fill="{fill}" stroke="{line}" stroke-width="2"'
    if shape == "square":
        return (f'<line x1="16" y1="1.5" x2="16" y2="5" stroke="{line}" stroke-width="2"/>'
                f'<circle cx="16" cy="2.5" r="1.8" fill="#ff4040" stroke="{line}" stroke-width="1"/>'
                f'<rect x="3.5" y="5.5" width="25" height="23" rx="4" {s}/>')
    if shape == "heart":
        return (f'<path d="M16 29 C5 21 2 15 2 10 C2 5.5 5.5 3 9 3 C12 3 14.5 5 16 7.5 '
                f'C17.5 5 20 3 23 3 C26.5 3 30 5.5 30 10 C30 15 27 21 16 29 Z" {s}/>')
    if shape == "dog":
        return (f'<ellipse cx="5" cy="12" rx="4" ry="8" fill="#7a4a1c" stroke="{line}" stroke-width="2"/>'
                f'<ellipse cx="27" cy="12" rx="4" ry="8" fill="#7a4a1c" stroke="{line}" stroke-width="2"/>'
                f'<circle cx="16" cy="17" r="12" {s}/>'
                f'<ellipse cx="16" cy="19.5" rx="2.6" ry="2" fill="{line}"/>')
    if shape == "jester":
        return (f'<path d="M5 13 L3 3 L11 9 L16 1.5 L21 9 L29 3 L27 13 Z" fill="#c0309a" '
                f'stroke="{line}" stroke-width="1.5"/>'
                f'<circle cx="3" cy="3" r="1.7" fill="#ffe14d"/><circle cx="29" cy="3" r="1.7" fill="#ffe14d"/>'
                f'<circle cx="16" cy="19" r="11" {s}/>')
    return f'<circle cx="16" cy="16" r="13.5" {s}/>'


def eyes(name, line):
    if name == "fear":
        return (f'<circle cx="11" cy="13" r="3.2" fill="#fff" stroke="{line}" stroke-width="1.5"/>'
                f'<circle cx="21" cy="13" r="3.2" fill="#fff" stroke="{line}" stroke-width="1.5"/>'
                f'<circle cx="11" cy="13" r="1.2" fill="{line}"/><circle cx="21" cy="13" r="1.2" fill="{line}"/>'
                f'<path d="M7 8 L13 9.5 M25 8 L19 9.5" stroke="{line}" stroke-width="1.5"/>')
    if name == "fool":
        return (f'<circle cx="12" cy="17" r="2.6" fill="#fff" stroke="{line}" stroke-width="1.2"/>'
                f'<circle cx="20" cy="17" r="2.6" fill="#fff" stroke="{line}" stroke-width="1.2"/>'
                f'<circle cx="13.2" cy="17" r="1.1" fill="{line}"/><circle cx="18.8" cy="17" r="1.1" fill="{line}"/>')
    if name == "robot":
        return (f'<rect x="8" y="10" width="6" height="4" fill="#40e0ff" stroke="{line}" stroke-width="1.5"/>'
                f'<rect x="18" y="10" width="6" height="4" fill="#40e0ff" stroke="{line}" stroke-width="1.5"/>')
    if name == "love":
        heart = ('<path d="M{x} {y} c-3 -2.4 -4 -3.6 -4 -5 c0 -1.3 1 -2 2 -2 c0.9 0 1.6 0.6 2 1.3 '
                 'c0.4 -0.7 1.1 -1.3 2 -1.3 c1 0 2 0.7 2 2 c0 1.4 -1 2.6 -4 5 z" fill="#d0103a"/>')
        return heart.format(x=11, y=15) + heart.format(x=21, y=15)
    if name == "wink":
        return (f'<circle cx="11" cy="13" r="2" fill="{line}"/>'
                f'<path d="M18 13.5 Q21 11 24 13.5" fill="none" stroke="{line}" stroke-width="2" stroke-linecap="round"/>')
    if name == "sad":
        return (f'<circle cx="11" cy="13" r="2" fill="{line}"/><circle cx="21" cy="13" r="2" fill="{line}"/>'
                f'<path d="M7.5 9.5 L13 8 M24.5 9.5 L19 8" stroke="{line}" stroke-width="1.5"/>'
                '<path d="M21.5 16 q1.5 3 0 4 q-1.5 -1 0 -4 z" fill="#2f7de0"/>')
    if name == "wag":
        return (f'<circle cx="12" cy="14" r="2" fill="{line}"/><circle cx="20" cy="14" r="2" fill="{line}"/>')
    return f'<circle cx="11" cy="13" r="2" fill="{line}"/><circle cx="21" cy="13" r="2" fill="{line}"/>'


# The mouth of the still picture for each theme, as a path (x and y in the 32 x 32 box).
STILL_MOUTH = {
    "fear": "M12 22 q2 -2 4 0 q2 2 4 0",
    "fool": "M11 23 Q16 27 21 23",
    "funny": "M9 19 Q16 28 23 19 Z",
    "happy": "M10 20 Q16 26 22 20",
    "love": "M11.5 21 Q16 25 20.5 21",
    "robot": "M10 21 h12 M12 21 v2 M16 21 v2 M20 21 v2",
    "sad": "M10 24 Q16 18.5 22 24",
    "wag": "M12 23 Q16 26 20 23",
    "wink": "M10 20 Q16 26 22 20",
}
MOUTH_Y = {"fool": 24, "wag": 24, "love": 21.5, "robot": 21.5}


def mouth(name, frame, line):
    y = MOUTH_Y.get(name, 21)
    if frame == "open":
        inner = "#7a1020" if name != "robot" else "#40e0ff"
        return (f'<ellipse cx="16" cy="{y + 0.5}" rx="4" ry="3.4" fill="{inner}" stroke="{line}" stroke-width="1.5"/>'
                f'<path d="M14 {y + 2.2} q2 -1.4 4 0" fill="#ff7b8e"/>')
    if frame == "close":
        return (f'<path d="M12 {y} h8" stroke="{line}" stroke-width="2" stroke-linecap="round"/>')
    filled = STILL_MOUTH[name].endswith("Z")
    fill = "#7a1020" if filled else "none"
    return (f'<path d="{STILL_MOUTH[name]}" fill="{fill}" stroke="{line}" stroke-width="2" '
            'stroke-linecap="round" stroke-linejoin="round"/>')


def theme_icon(name, fill, line, shape, frame):
    body = head(shape, fill, line) + eyes(name, line) + mouth(name, frame, line)
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">'
            + body + "</svg>\n")


def logo_frame(k):
    """Frame k of 10: a mouth at the left and sound bars whose heights roll along."""
    parts = ['<rect width="40" height="22" fill="#000"/>']
    # the letter-like mouth glyph: opens and closes over the clip
    opening = [0.6, 2.0, 3.2, 2.4, 1.2, 0.6, 2.6, 3.4, 2.0, 1.0][k]
    parts.append('<circle cx="9" cy="11" r="7" fill="#f0c030"/>')
    parts.append('<circle cx="7" cy="8.5" r="1" fill="#000"/>')
    parts.append(f'<ellipse cx="10.5" cy="13" rx="3.2" ry="{opening:.1f}" fill="#000"/>')
    for i in range(5):
        level = 0.5 + 0.5 * math.sin((k + i * 1.7) * 2 * math.pi / 10)
        h = 3 + level * 13
        x = 19 + i * 4
        colour = ["#30d0ff", "#40e0a0", "#a0f040", "#f0d030", "#ff7040"][i]
        parts.append(f'<rect x="{x}" y="{11 - h / 2:.1f}" width="2.6" height="{h:.1f}" rx="1" fill="{colour}"/>')
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="40" height="22" viewBox="0 0 40 22">'
            + "".join(parts) + "</svg>\n")


def main():
    os.makedirs(os.path.join(OUT, "tray"), exist_ok=True)
    os.makedirs(os.path.join(OUT, "logo"), exist_ok=True)
    files = []
    for index, (name, fill, line, shape) in enumerate(THEMES):
        for picture, frame in enumerate(("still", "open", "close")):
            path = f"tray/{3 * index + picture:02d}-{name}-{frame}.svg"
            with open(os.path.join(OUT, path), "w") as f:
                f.write(theme_icon(name, fill, line, shape, frame))
            files.append(path)
    for k in range(10):
        path = f"logo/frame-{k + 1:02d}.svg"
        with open(os.path.join(OUT, path), "w") as f:
            f.write(logo_frame(k))
        files.append(path)
    with open(os.path.join(OUT, "chrome.qrc"), "w") as f:
        f.write('<!DOCTYPE RCC>\n<RCC version="1.0">\n<qresource prefix="/chrome">\n')
        for path in files:
            f.write(f"  <file>{path}</file>\n")
        f.write("</qresource>\n</RCC>\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
