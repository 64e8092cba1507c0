"""The UI kit every dialog is built from: parchment panels in a wooden frame, the dialog frame with
its title plaque, buttons in their four states, the toggle, the slider, the text field and tiles.
A panel's inside stays plain parchment so the dialog's texts read on it."""
from svgkit import *

# Panel sizes the dialogs use: options / player chooser / quit question / name entry, the plain
# dialogs, small questions, the trophy cabinet's tooltips, the tall panel of the level results, a
# gained trophy and the collapse game's end, and the wide, low panel of the pause.
PANELS = {'large': (520, 400), 'medium': (440, 300), 'small': (360, 200), 'tooltip': (220, 96),
          'tall': (340, 450), 'wide': (540, 260), 'cabinet': (656, 472)}


def rounded_rect_path(x, y, w, h, r):
    return P('M', (x + r, y), 'L', (x + w - r, y), 'Q', (x + w, y), (x + w, y + r), 'L', (x + w, y + h - r),
             'Q', (x + w, y + h), (x + w - r, y + h), 'L', (x + r, y + h), 'Q', (x, y + h), (x, y + h - r),
             'L', (x, y + r), 'Q', (x, y), (x + r, y), 'Z')


def frame_body(w, h, border, inside):
    """A rounded wooden frame of the given border width around a parchment (or open) inside."""
    r = 16 if border >= 10 else 10
    ix, iy, iw, ih = 3 + border, 3 + border, w - 8 - 2 * border, h - 8 - 2 * border
    body = shadow(w / 2 + 3, h - 3, w / 2 - 10, 4) if inside else ''
    body += path(rounded_rect_path(3, 3, w - 8, h - 8, r) + ' ' + rounded_rect_path(ix, iy, iw, ih, 6), B('wood'), 3,
                 ' fill-rule="evenodd"')
    band = border * 0.35
    body += line([(w - 5 - border / 2, 12), (w - 5 - border / 2, h - 5 - border / 2), (12, h - 5 - border / 2)],
                 band, S('wood'))
    body += line([(3 + border / 2, h - 16), (3 + border / 2, 3 + border / 2), (w - 16, 3 + border / 2)],
                 band * 0.7, L('wood'))
    if inside:
        body += rect(ix, iy, iw, ih, B('parchment'), 2, 6)
        body += flat('rect x="%s" y="%s" width="%s" height="%s" rx="4"' % (f(ix + 4), f(iy + 4), f(iw - 8), f(10)),
                     L('parchment'))
        body += flat('rect x="%s" y="%s" width="%s" height="%s" rx="4"' % (f(ix + 4), f(iy + ih - 10), f(iw - 8), f(6)),
                     S('parchment'))
    for cx, cy in ((3 + border / 2, 3 + border / 2), (w - 5 - border / 2, 3 + border / 2),
                   (3 + border / 2, h - 5 - border / 2), (w - 5 - border / 2, h - 5 - border / 2)):
        body += circle(cx, cy, max(3.5, border * 0.38), B('gold'), 1.5) + circle(cx - 1, cy - 1, 1.3, L('gold'), 0)
    return body


def panels():
    for size, (w, h) in PANELS.items():
        picture('gui/ui/panel_%s' % size, w, h, frame_body(w, h, 6 if size == 'tooltip' else 14, True))


def dialog_frame():
    """A frame with an open inside, laid over a panel or a screen, with the plaque for the title."""
    w, h = 560, 440
    body = frame_body(w, h, 18, False)
    pw = 260
    px = (w - pw) / 2
    body += path(P('M', (px - 22, 14), 'L', (px, 4), 'L', (px, 44), 'L', (px - 22, 34), 'L', (px - 12, 24), 'Z'),
                 S('plum'), 2)
    body += path(P('M', (px + pw + 22, 14), 'L', (px + pw, 4), 'L', (px + pw, 44), 'L', (px + pw + 22, 34),
                   'L', (px + pw + 12, 24), 'Z'), S('plum'), 2)
    body += rect(px, 3, pw, 42, B('plum'), 3, 8)
    body += flat('rect x="%s" y="8" width="%s" height="7" rx="3"' % (f(px + 6), f(pw - 12)), L('plum'))
    body += flat('rect x="%s" y="36" width="%s" height="5" rx="2"' % (f(px + 6), f(pw - 12)), S('plum'))
    body += star(px + 18, 24, 8) + star(px + pw - 18, 24, 8)
    picture('gui/ui/dialog_frame', w, h, body)


# Button states: (fill hue, y offset of the face, rim colour); the pressed face sinks 3 px.
BUTTON_STATES = {
    'normal': ('plum', 0, None),
    'over': ('plum', -1, L('gold')),
    'pressed': ('plum', 3, None),
    'disabled': ('stone', 0, None),
}


def button_face(w, h, hue, dy, rim, pressed):
    body = shadow(w / 2, h - 5, w / 2 - 8, 3)
    if rim:
        body += rect(1.5, 1.5 + dy, w - 3, h - 12, 'none', 3, 14, ' stroke-opacity="0.9"').replace(INK, rim, 1)
    body += rect(4, 4 + dy, w - 8, h - 16, S(hue) if pressed else B(hue), 3, 12)
    if not pressed:
        body += line([(14, h - 19 + dy), (w - 16, h - 19 + dy), (w - 12, h - 24 + dy), (w - 12, 16 + dy)], 5, S(hue))
        body += line([(13, 10 + dy), (w - 22, 10 + dy)], 4, L(hue))
    else:
        body += line([(13, h - 17 + dy), (w - 22, h - 17 + dy)], 3, B(hue))
    body += line([(8, 7 + dy), (11, 9 + dy)], 2, '#ffffff', 0.5)
    return body


def buttons():
    for size, (w, h) in {'': (180, 60), '_small': (120, 50)}.items():
        for state, (hue, dy, rim) in BUTTON_STATES.items():
            picture('gui/ui/button%s_%s' % (size, state), w, h, button_face(w, h, hue, dy, rim, state == 'pressed'))


def toggle():
    """A check box: normal, pressed, rolled over (the order of a toggle button's pictures) and on."""
    check = line([(11, 22), (18, 29), (31, 12)], 5, B('leaf')) + line([(11, 22), (18, 29), (31, 12)], 2, L('leaf'))
    for state, fill, rim, mark in (('normal', L('parchment'), None, ''), ('pressed', S('parchment'), None, ''),
                                   ('over', L('parchment'), L('gold'), ''), ('on', L('parchment'), None, check)):
        body = ''
        if rim:
            body += rect(2, 2, 36, 36, 'none', 3, 8).replace(INK, rim, 1)
        body += rect(5, 5, 30, 30, fill, 2, 6) + line([(9, 31), (31, 31), (31, 9)], 2, S('parchment'))
        picture('gui/ui/toggle_%s' % state, 40, 40, body + mark)


def slider():
    """The rail in three pieces drawn upright (the slider lays them along its length) and the knob."""
    def rail(h, y):
        """The slice of one long rail (rounded at both ends) that starts y pixels down it."""
        body = rect(4, 2 - y, 12, 36, B('wood'), 2, 6)
        body += flat('rect x="10" y="%s" width="4" height="30" rx="2"' % f(5 - y), S('wood'))
        body += line([(7, 6 - y), (7, 32 - y)], 1.5, L('wood'))
        return body
    picture('gui/ui/slider_rail_top', 20, 12, rail(12, 0))
    picture('gui/ui/slider_rail_mid', 20, 16, rail(16, 12))
    picture('gui/ui/slider_rail_bottom', 20, 12, rail(12, 28))
    for state, rim in (('', None), ('_over', L('gold'))):
        body = shadow(16, 30, 10, 2)
        if rim:
            body += circle(16, 16, 14, 'none', 3).replace(INK, rim, 1)
        body += circle(16, 16, 11, B('gold'), 2) + shade_ellipse(19, 19, 6, 5, S('gold')) + circle(13, 13, 3, L('gold'), 0)
        picture('gui/ui/slider_knob%s' % state, 32, 32, body)


def text_field():
    w, h = 300, 44
    body = rect(3, 3, w - 6, h - 6, B('wood'), 3, 8)
    body += rect(8, 8, w - 16, h - 16, L('parchment'), 2, 5)
    body += line([(12, 12), (w - 14, 12)], 2, S('parchment'))
    picture('gui/ui/textfield', w, h, body)


def tiles():
    """The square slot a trophy, an add-on or a player sits in: normal, rolled over and selected."""
    for state, fill, rim in (('normal', B('parchment'), None), ('over', L('parchment'), L('gold')),
                             ('selected', L('parchment'), B('leaf'))):
        body = ''
        if rim:
            body += rect(2, 2, 92, 92, 'none', 4, 14).replace(INK, rim, 1)
        body += rect(6, 6, 84, 84, fill, 3, 10)
        body += line([(12, 84), (84, 84), (84, 12)], 3, S('parchment'))
        body += line([(12, 76), (12, 12), (76, 12)], 3, '#ffffff', 0.5)
        picture('gui/ui/tile_%s' % state, 96, 96, body)


def backdrop():
    """The dusk that dims the screen behind a dialog's panel."""
    picture('gui/ui/backdrop', 800, 600, flat('rect x="0" y="0" width="800" height="600"', B('night'), 0.55))


def build():
    panels()
    backdrop()
    dialog_frame()
    buttons()
    toggle()
    slider()
    text_field()
    tiles()
