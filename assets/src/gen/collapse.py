"""The cat's bottle game: the board's pieces, one sheet of 36 x 36 frames with an action a piece."""
from svgkit import *
from items import bottle_outline

# (action, liquid hue, bottle shape): each colour has a shape of its own as well, so the pieces
# are told apart without their colour.
COLOURED = [('animBottleGreen', 'leaf', 'round'), ('animBottleRed', 'berry', 'heart'),
            ('animBottleBlue', 'sky', 'tall'), ('animBottleYellow', 'lemon', 'square')]
FRAMES_A_PIECE = 4


def piece_bottle(ident, hue, shape):
    outline = bottle_outline(shape, 18, 5, 28, 29)
    defs = '<clipPath id="clip_%s"><path d="%s"/></clipPath>' % (ident, outline)
    body = flat('path d="%s"' % outline, '#e8f4f4', 0.55)
    body += '<g clip-path="url(#clip_%s)">' % ident
    body += flat('rect x="0" y="14" width="36" height="24"', B(hue)) + flat('rect x="21" y="14" width="15" height="24"', S(hue))
    body += flat('ellipse cx="18" cy="14" rx="14" ry="1.8"', L(hue)) + '</g>'
    body += path(outline, 'none', 2) + glint(11, 22, 2, 5, -10)
    body += rect(13.5, 2, 9, 6, B('wood'), 2, 2)
    return defs, body


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
    for ident, (action, hue, shape) in enumerate(COLOURED):
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


def build():
    pieces()
