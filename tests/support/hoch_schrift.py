# Makes hoch.ttf, a tiny test font with very tall lines (every letter a box); needs python3-fonttools.
from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen
import string
upm = 1000
zeichen = string.ascii_letters + " "
namen = [".notdef"] + ["g%d" % ord(c) for c in zeichen]
fb = FontBuilder(upm, isTTF=True)
fb.setupGlyphOrder(namen)
fb.setupCharacterMap({ord(c): "g%d" % ord(c) for c in zeichen})
def kasten():
    p = TTGlyphPen(None)
    p.moveTo((50, 0)); p.lineTo((50, 700)); p.lineTo((450, 700)); p.lineTo((450, 0)); p.closePath()
    return p.glyph()
leer = TTGlyphPen(None).glyph()
glyphen = {n: (leer if n in (".notdef", "g32") else kasten()) for n in namen}
fb.setupGlyf(glyphen)
fb.setupHorizontalMetrics({n: (500, 50) for n in namen})
fb.setupHorizontalHeader(ascent=1800, descent=-700)
fb.setupNameTable({"familyName": "Zembrola Hoch", "styleName": "Regular"})
fb.setupOS2(sTypoAscender=1800, sTypoDescender=-700, usWinAscent=1800, usWinDescent=700, sTypoLineGap=0)
fb.setupPost()
fb.save("hoch.ttf")
