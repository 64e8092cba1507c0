"""The cat's bottle game: the board's pieces (one sheet of 36 x 36 frames with an action a piece),
the arrows the row and column pieces wear, the flashes of a bottled piece, the four bottles that
fill up on their shelf, the incoming row's arrows and border, and the cat in stand, win and lose."""
from svgkit import *
from items import bottle_outline
from screens import cat_body

# The board's four colours in the game's colour order (0 green, 1 red, 2 purple, 3 yellow): each
# has its hue, a bottle shape of its own (so the pieces are told apart without their colour), the
# piece's action and the name its bottle and flashes go by.
COLOURS = [('green', 'leaf', 'round', 'animBottleGreen'), ('red', 'berry', 'heart', 'animBottleRed'),
           ('purple', 'indigo', 'tall', 'animBottleBlue'), ('yellow', 'lemon', 'square', 'animBottleYellow')]
FRAMES_A_PIECE = 4
BOTTLE_FRAMES = 11


def liquid_bottle(ident, hue, shape, cx, top, w, h, level, width=2):
    """A bottle of the shape filled with the hue up to level (0 empty .. 1 full). Returns (defs, body)."""
    outline = bottle_outline(shape, cx, top, w, h)
    surface = top + h - (h * 0.72) * level
    defs = '<clipPath id="clip_%s"><path d="%s"/></clipPath>' % (ident, outline)
    body = flat('path d="%s"' % outline, '#e8f4f4', 0.55) + flat('path d="%s"' % outline, L(hue), 0.3)
    if level > 0:
        body += '<g clip-path="url(#clip_%s)">' % ident
        body += flat('rect x="%s" y="%s" width="%s" height="%s"' % (f(cx - w), f(surface), f(2 * w), f(h)), B(hue))
        body += flat('rect x="%s" y="%s" width="%s" height="%s"' % (f(cx + w * 0.1), f(surface), f(w), f(h)), S(hue))
        body += flat('ellipse cx="%s" cy="%s" rx="%s" ry="%s"' % (f(cx), f(surface), f(w * 0.5), f(max(1.8, w * 0.05))), L(hue))
        body += '</g>'
    body += path(outline, 'none', width) + glint(cx - w * 0.22, top + h * 0.62, w * 0.07, h * 0.16, -10)
    return defs, body


def piece_bottle(ident, hue, shape):
    defs, body = liquid_bottle(ident, hue, shape, 18, 5, 28, 29, 0.92)
    return defs, body + rect(13.5, 2, 9, 6, B('wood'), 2, 2)


def bomb():
    body = circle(17, 21, 12.5, B('iron'), 2) + shade_ellipse(21, 25, 7, 5.5, S('iron')) + glint(12, 16, 2.2, 4.5, -35)
    body += rect(14, 7, 7, 5, S('iron'), 2, 1.5) + line([(19, 7), (23, 4), (27, 5)], 1.5)
    return body + group('spark', sparkle(28, 6, 4, L('flame')))


def black_bottle():
    defs, body = piece_bottle('black', 'night', 'cone')
    skull = circle(18, 24, 5.5, L('stone'), 1.2) + circle(16, 23.8, 1.4, INK, 0) + circle(20, 23.8, 1.4, INK, 0)
    return defs, body + skull


def pieces():
    defs, body, tracks, actions = '', '', [], []
    kinds = []
    for ident, (_, hue, shape, action) in enumerate(COLOURS):
        d, b = piece_bottle('p%d' % ident, hue, shape)
        kinds.append((action, d, b))
    kinds.append(('animBottleBomb', '', bomb()))
    d, b = black_bottle()
    kinds.append(('animBottleBlack', d, b))
    for i, (action, d, b) in enumerate(kinds):
        first = i * FRAMES_A_PIECE + 1
        last = first + FRAMES_A_PIECE - 1
        defs += d
        body += group('k%d' % i, b)
        actions.append((action, first, last))
        tracks.append('k%d show %d-%d' % (i, first, last))
        tracks.append('k%d translate %d:0,0 %d:0,-1 %d:0,0' % (i, first, first + 1, last))
    vanish_first = len(kinds) * FRAMES_A_PIECE + 1
    vanish_last = vanish_first + 5
    puff = group('puff', circle(18, 18, 9, L('parchment'), 2) + sparkle(8, 8, 5, L('gold')) +
                 sparkle(28, 10, 4, L('gold')) + sparkle(26, 28, 5, L('gold')) + sparkle(9, 27, 4, L('gold')))
    body += puff
    actions.append(('Vanish', vanish_first, vanish_last))
    tracks += ['puff show %d-%d' % (vanish_first, vanish_last),
               'puff scale %d:0.3 %d:1 %d:0.9' % (vanish_first, vanish_first + 2, vanish_last),
               'puff opacity %d:1 %d:1 %d:0' % (vanish_first, vanish_first + 2, vanish_last),
               'spark opacity 17:1 18:0.4 19:1 20:0.5', 'spark scale 17:1 18:0.7 19:1.1 20:0.8']
    anim('anim/collapse/collapsepieces', 36, 36, body, vanish_last, 80, actions=actions, tracks=tracks, defs=defs,
         margin=1)


def item_arrows():
    """The small arrows a row piece (pointing left, and mirrored right) and a column piece (up, and
    mirrored down) wear over their bottle; light on every colour the piece cycles through."""
    left = path('M1,8 L8,2 L8,5.5 L14,5.5 L14,10.5 L8,10.5 L8,14 Z', '#ffffff', 1.6)
    up = path('M8,1 L14,8 L10.5,8 L10.5,14 L5.5,14 L5.5,8 L2,8 Z', '#ffffff', 1.6)
    body = group('left', left) + group('up', up)
    anim('anim/collapse/item_arrows', 16, 16, body, 8, 90, actions=[('toLeft', 1, 4), ('toUp', 5, 8)], tracks=[
        'left show 1-4', 'up show 5-8', 'left translate 1:0,0 2:-1,0 3:0,0 4:0.5,0',
        'up translate 5:0,0 6:0,-1 7:0,0 8:0,0.5'], margin=2.5)


def flashes():
    """A bottled piece bursts in its colour on the board and again over the bottle it fills."""
    for name, hue, _, _ in COLOURS:
        ring = '<circle cx="24" cy="24" r="10" fill="none" stroke="%s" stroke-width="4"/>' % L(hue)
        body = (group('glow', circle(24, 24, 12, L(hue), 0, ' opacity="0.7"')) + group('ring', ring) +
                group('s1', sparkle(12, 12, 6, '#ffffff')) + group('s2', sparkle(36, 16, 5, L(hue))) +
                group('s3', sparkle(30, 36, 6, '#ffffff')) + group('s4', sparkle(12, 33, 5, L(hue))))
        anim('fx/collapse/pieces/%s' % name, 48, 48, body, 7, 60, tracks=[
            'glow scale 1:0.4 3:1 7:0.6', 'glow opacity 1:1 4:0.6 7:0', 'ring scale 1:0.5 7:1.8', 'ring opacity 1:1 7:0',
            's1 translate 1:6,6 7:-2,-2', 's3 translate 1:-4,-6 7:2,2', 's1 opacity 1:1 5:1 7:0', 's3 opacity 2:1 7:0',
            's2 scale 1:0.3 4:1.2 7:0.5', 's4 scale 2:0.3 5:1.2 7:0.4'], margin=2)
        defs = glow_def('bg', L(hue), 0.9)
        body = (group('halo', flat('ellipse cx="36" cy="40" rx="30" ry="32"', 'url(#bg)')) +
                group('t1', sparkle(20, 22, 8, '#ffffff')) + group('t2', sparkle(52, 30, 6, L(hue))) +
                group('t3', sparkle(44, 58, 7, '#ffffff')))
        anim('fx/collapse/bottle/%s' % name, 72, 80, body, 7, 60, defs=defs, tracks=[
            'halo opacity 1:0.2 3:1 7:0', 'halo scale 1:0.6 3:1 7:1.1', 't1 scale 1:0.2 3:1.2 6:0.4',
            't2 scale 2:0.2 4:1.2 7:0.3', 't3 scale 3:0.2 5:1.3 7:0.4', 't1 rotate 1:0 7:45'], margin=2)


def bottles():
    """The bottle of each colour filling frame by frame (first empty, last full), its cork in the colour."""
    w, h = 56, 96
    for name, hue, shape, _ in COLOURS:
        body, defs, tracks = shadow(28, 92, 22, 3), '', []
        for frame in range(BOTTLE_FRAMES):
            d, b = liquid_bottle('%s%d' % (name, frame), hue, shape, 28, 14, 50, 78, frame / (BOTTLE_FRAMES - 1), 3)
            defs += d
            body += group('f%d' % frame, b)
            tracks.append('f%d show %d' % (frame, frame + 1))
        body += rect(20, 4, 16, 13, B(hue), 2.5, 3) + flat('rect x="23" y="6" width="5" height="5" rx="2"', L(hue))
        anim('anim/collapse/anim_potion_%s' % name, w, h, body, BOTTLE_FRAMES, 80, defs=defs, tracks=tracks, margin=1)
    stamp = group('stamp', rect(9, 10, 58, 24, B('berry'), 2.5, 8) + flat('rect x="13" y="13" width="50" height="5" rx="2"', L('berry')) +
                  text(38, 29, 'FULL', 15, L('parchment'), stroke=INK, stroke_width=3))
    anim('anim/full', 76, 44, stamp, 6, 60, tracks=['stamp scale 1:0.2 3:1.1 4:0.95 6:1', 'stamp rotate 1:-20 4:-6 6:-6'],
         margin=1)


def panel_potions():
    """The little cabinet the four bottles stand in, two to a shelf, papered inside so that the dark red
    counts written beside the bottles read on it."""
    w, h = 150, 232
    body = shadow(75, 228, 66, 4) + rect(4, 6, 140, 218, B('wood'), 3, 10)
    body += rect(14, 16, 120, 196, B('parchment'), 2, 6) + flat('rect x="104" y="18" width="28" height="192" rx="4"', S('parchment'))
    body += flat('rect x="16" y="18" width="20" height="120" rx="4"', L('parchment'), 0.8)
    for shelf in (112, 212):
        body += rect(10, shelf - 4, 128, 10, L('wood'), 2, 3) + flat('rect x="12" y="%d" width="124" height="3"' % (shelf + 3), S('wood'))
    body += line([(140, 14), (140, 220)], 3, S('wood')) + star(74, 10, 8)
    anim('anim/collapse/panel_potions', w, h, body, 1, margin=1)


def incoming_row():
    """Two arrows beside the incoming row, pointing at it, and the glowing border around it."""
    arrow = path('M4,10 L22,10 L22,3 L38,18 L22,33 L22,26 L4,26 Z', B('gold'), 2.5)
    arrow += flat('path d="M7,13 L24,13 L24,8 L31,15 L7,15 Z"', L('gold')) + flat('path d="M7,23 L25,23 L25,29 L35,19 L24,30 L24,24 Z"', S('gold'))
    body = group('r', arrow) + group('l', arrow, extra=' transform="translate(42 0) scale(-1 1)"')
    anim('anim/collapse/anim_arrow', 42, 36, body, 12, 80, actions=[('toRight', 1, 6), ('toLeft', 7, 12)], tracks=[
        'r show 1-6', 'l show 7-12', 'r translate 1:-1,0 3:1,0 4:1,0 6:-1,0', 'l translate 7:1,0 9:-1,0 10:-1,0 12:1,0'],
        margin=1)
    w, h = 380, 50
    rope = rounded_rect(6, 6, w - 12, h - 12, 10)
    glow = '<path id="glow" d="%s" fill="none" stroke="%s" stroke-width="9" opacity="0.6"/>' % (rope, L('gold'))
    body = glow + path(rope, 'none', 5).replace('stroke="%s"' % INK, 'stroke="%s"' % INK, 1)
    body += '<path d="%s" fill="none" stroke="%s" stroke-width="3"/>' % (rope, B('gold'))
    body += '<path id="dash" d="%s" fill="none" stroke="%s" stroke-width="1.5" stroke-dasharray="6 10"/>' % (rope, L('gold'))
    for x in (6, w - 6):
        body += group(None, circle(x, h / 2, 4, B('gold'), 1.5))
    anim('anim/collapse/anim_border', w, h, body, 8, 90, tracks=['glow opacity 1:0.3 5:0.9 8:0.35'], margin=1)


def rounded_rect(x, y, w, h, r):
    return P('M', (x + r, y), 'L', (x + w - r, y), 'Q', (x + w, y), (x + w, y + r), 'L', (x + w, y + h - r),
             'Q', (x + w, y + h), (x + w - r, y + h), 'L', (x + r, y + h), 'Q', (x, y + h), (x, y + h - r),
             'L', (x, y + r), 'Q', (x, y), (x + r, y), 'Z')


def wizard_hat():
    hat = path('M42,22 Q58,-6 76,-14 Q70,4 80,22 Z', B('plum'), 3)
    hat += flat('path d="M62,0 Q70,-8 74,-10 Q68,4 72,18 L66,18 Z"', S('plum'))
    hat += path('M34,24 Q60,14 88,24 Q60,30 34,24 Z', S('plum'), 3) + star(60, 10, 5, B('gold'), 1.5)
    return group('hat', hat)


def character():
    """The shop's cat in a wizard's hat beside the bottles: breathing, cheering, drooping."""
    w, h = 130, 170

    def cat(eyes_open, extra=''):
        return '<g transform="translate(5 50)">%s%s</g>' % (cat_body(eyes_open).replace('id="', 'id="c_'),
                                                            '<g transform="translate(0 0)">' + wizard_hat() + '</g>' + extra)

    anim('anim/collapse/character_stand', w, h, group('all', cat(True)), 12, 90, origin=(65, 160), margin=2, tracks=[
        'c_tail rotate ' + keys([0, 6, 10, 6, 0, -4, 0], 12), 'c_tail pivot 86,96',
        'c_head translate ' + keys(['0,0', '0,-1', '0,-2', '0,-1', '0,0'], 12),
        'hat translate ' + keys(['0,0', '0,-1', '0,-2', '0,-1', '0,0'], 12),
        'c_eyes show 1-8 11-12', 'c_blink show 9-10'])
    stars = group('st1', star(18, 40, 8)) + group('st2', star(112, 30, 9)) + group('st3', sparkle(100, 70, 7, L('gold')))
    anim('anim/collapse/character_win', w, h, group('all', cat(True)) + stars, 12, 70, origin=(65, 160), margin=2, tracks=[
        'all translate ' + keys(['0,0', '0,2', '0,-10', '0,-18', '0,-10', '0,2', '0,0', '0,2', '0,-10', '0,-18', '0,-10', '0,0']),
        'all scale ' + keys(['1', '1.06,0.94', '0.96,1.04', '1', '0.96,1.04', '1.06,0.94', '1', '1.06,0.94', '0.96,1.04', '1',
                             '0.96,1.04', '1']),
        'all pivot 65,160', 'hat rotate ' + keys([0, -8, -14, -8, 0, 6, 0, -8, -14, -8, 0, 0]), 'hat pivot 60,24',
        'c_tail rotate ' + keys([0, 14, 20, 14, 0, -6, 0, 14, 20, 14, 0, 0]), 'c_tail pivot 86,96',
        'st1 scale ' + keys([0.4, 1.2, 0.8, 1.2, 0.4], 12), 'st2 scale ' + keys([1.2, 0.5, 1.2, 0.5, 1.2], 12),
        'st3 opacity ' + keys([1, 0.2, 1, 0.2, 1], 12), 'st1 rotate ' + keys([0, 72], 12)])
    tear = group('tear', path('M44,52 Q40,60 44,64 Q48,60 44,52 Z', L('sky'), 1.5))
    anim('anim/collapse/character_lose', w, h, group('all', cat(False, tear)), 12, 100, origin=(65, 160), margin=2, tracks=[
        'c_head translate ' + keys(['0,2', '0,4', '0,5', '0,4', '0,2'], 12), 'c_head rotate ' + keys([4, 8, 4], 12),
        'c_head pivot 60,62', 'hat translate ' + keys(['2,6', '3,9', '4,10', '3,9', '2,6'], 12),
        'hat rotate ' + keys([10, 16, 10], 12), 'hat pivot 60,24', 'c_tail rotate ' + keys([20, 24, 20], 12),
        'c_tail pivot 86,96', 'tear translate ' + keys(['0,0', '-1,8', '-2,16'], 12), 'tear opacity ' + keys([0, 1, 1, 0], 12)])


def build():
    pieces()
    item_arrows()
    flashes()
    bottles()
    panel_potions()
    incoming_row()
    character()
