# Judges one pointer image, as printed by the cursorimage reader, against a drag picture.
# Variables: kind "A" (the arrow of a tile drag) or "B" (the diamond of an origin drag), and hx,
# hy, the hot spot the 32 x 32 picture is meant to have. The picture's (0, 0) is taken to lie at
# the reported hot spot minus (hx, hy), so a hot spot off by a pixel shifts every check.
# Prints what is wrong and exits 1, or prints nothing and exits 0.

NR == 1 { width = $1; height = $2; ox = $3 - hx; oy = $4 - hy; next }
{ rows[NR - 2] = $0 }

# The pixel at picture coordinates (x, y): "." transparent, "B" black, "W" white, "?" other.
function at(x, y) {
    x += ox; y += oy
    if (x < 0 || y < 0 || x >= width || y >= height) return "."
    return substr(rows[y], x + 1, 1)
}
function wrong(message) { print kind ": " message; failed = 1 }
function touchesTransparent(x, y) {
    return at(x - 1, y) == "." || at(x + 1, y) == "." || at(x, y - 1) == "." || at(x, y + 1) == "."
}

# Whether a transparent pixel lies within two pixels of (x, y): an outline drawn one pixel wide
# may thicken where it turns sharply inwards.
function nearTransparent(x, y,   dx, dy) {
    for (dy = -2; dy <= 2; dy++)
        for (dx = -2; dx <= 2; dx++) if (at(x + dx, y + dy) == ".") return 1
    return 0
}

# Everything: only black, white and transparent, nothing opaque outside the 32 x 32 picture.
function checkWhole(   x, y, c, odd, outside) {
    for (y = -oy; y < height - oy; y++)
        for (x = -ox; x < width - ox; x++) {
            c = at(x, y)
            if (c == "?") odd++
            if (c != "." && (x < 0 || y < 0 || x > 31 || y > 31)) outside++
        }
    if (odd) wrong(odd " pixels neither black, white nor transparent")
    if (outside) wrong(outside " opaque pixels outside the 32 x 32 picture")
}

# A large arrow pointing to the top-left, white inside a black outline, its tip on (1, 1).
function checkArrow(   x, y, c, whites, blacks, loose, inner, top, right, bottom) {
    if (at(1, 1) != "B") wrong("the hot spot is not on a black tip: (1, 1) is " at(1, 1))
    for (x = 0; x < 32; x++)
        if (at(x, 0) != "." || at(0, x) != "." || (x > 1 && at(x, 1) != ".")) top++
    if (top) wrong(top " opaque pixels above or left of the tip, or beside it in its row")
    right = bottom = 0
    for (y = 0; y < 32; y++)
        for (x = 0; x < 32; x++) {
            c = at(x, y)
            if (c == "W") { whites++; if (touchesTransparent(x, y)) loose++ }
            if (c == "B") {
                blacks++
                if (!nearTransparent(x, y)) inner++
            }
            if (c != ".") { if (x > right) right = x; if (y > bottom) bottom = y }
        }
    if (loose) wrong(loose " white pixels touch the transparent background: the outline is open")
    if (inner) wrong(inner " black pixels inside the arrow, away from its outline")
    if (whites < 40 || blacks < 30)
        wrong("not a large arrow: " whites " white and " blacks " black pixels")
    if (bottom - 1 < 20 || bottom <= right)
        wrong("not an arrow pointer's shape: it spans " right " across and " bottom " down")
}

function abs(v) { return v < 0 ? -v : v }

# Steps from the centre (15, 15) in direction (dx, dy) while the pixel is `c`.
function run(dx, dy, from, c,   k) {
    for (k = from; at(15 + k * dx, 15 + k * dy) == c; k++) ;
    return k - from
}

# A black diamond outline centred on (15, 15), its inside quartered by a white cross.
function checkDiamond(   d, k, dx, dy, arm, edge, reach, diagonal, x, y, c, stray, open) {
    if (at(15, 15) != "W")
        wrong("the hot spot is not on the white centre of the cross: (15, 15) is " at(15, 15))
    split("1 0 -1 0 0 1 0 -1", axis, " ")
    for (d = 1; d <= 4; d++) {
        dx = axis[2 * d - 1]; dy = axis[2 * d]
        arm[d] = run(dx, dy, 1, "W")
        edge[d] = run(dx, dy, 1 + arm[d], "B")
        reach[d] = arm[d] + edge[d]
        if (arm[d] < 5 || edge[d] < 1)
            wrong("towards (" dx ", " dy ") the cross's arm is " arm[d] " white, then " \
                  edge[d] " black")
    }
    if (arm[1] != arm[2] || arm[1] != arm[3] || arm[1] != arm[4] || reach[1] != reach[2] ||
        reach[1] != reach[3] || reach[1] != reach[4])
        wrong("the cross is not centred on the hot spot: its arms are " arm[1] ", " arm[2] ", " \
              arm[3] ", " arm[4] " long")
    split("1 1 -1 1 1 -1 -1 -1", slant, " ")
    for (d = 1; d <= 4; d++) {
        dx = slant[2 * d - 1]; dy = slant[2 * d]
        diagonal[d] = 0
        for (k = 1; k <= 16; k++) if (at(15 + k * dx, 15 + k * dy) != ".") diagonal[d] = k
        if (at(15 + diagonal[d] * dx, 15 + diagonal[d] * dy) != "B")
            wrong("the outline is not black towards (" dx ", " dy ")")
    }
    if (diagonal[1] != diagonal[2] || diagonal[1] != diagonal[3] || diagonal[1] != diagonal[4])
        wrong("the outline is not centred on the hot spot along the diagonals")
    else if (reach[1] < 1.7 * diagonal[1] || reach[1] > 2.3 * diagonal[1])
        wrong("not a diamond: it reaches " reach[1] " along the axes, " diagonal[1] \
              " along the diagonals")
    for (y = 0; y < 32; y++)
        for (x = 0; x < 32; x++) {
            c = at(x, y)
            if (c == "W" && x != 15 && y != 15) stray++
            if (c != "." && abs(x - 15) + abs(y - 15) > reach[1] + 1) stray++
            if (c == "W" && touchesTransparent(x, y)) open++
        }
    if (stray) wrong(stray " pixels white outside the cross or opaque outside the diamond")
    if (open) wrong(open " white pixels touch the transparent background: the outline is open")
}

END {
    if (NR < 2) { wrong("no pointer image"); exit 1 }
    checkWhole()
    if (kind == "A") checkArrow(); else checkDiamond()
    exit failed
}
