#!/usr/bin/env python3
"""Writes calendar/astro_tables.h, the coefficient tables of the calendar's ephemeris.

Earth: the heliocentric longitude blocks T^0 ... T^5 of VSOP87D (Earth, ecliptic and
equinox of date), the terms of largest amplitude of each block.
Moon: the longitude of ELP/MPP02 with the constants fitted to DE405 (main problem with
corrected amplitudes plus perturbations), each argument expanded as a polynomial in t up to
t^4, rewritten as A*cos(B + C*t + D*t2 + E*t3 + F*t4), t2 = t^2*1e-4, t3 = t^3*1e-8,
t4 = t^4*1e-8; the terms of largest amplitude of the t^0 ... t^3 series.

Usage: tools/gen_astro_tables.py [DATA_DIR] [OUTPUT]
  DATA_DIR defaults to ../shared/data/astro beside the repository,
  OUTPUT to calendar/astro_tables.h in the repository.
Run by hand; the output is committed.
"""

import math
import os
import sys
from decimal import ROUND_HALF_UP, Decimal

EARTH_COUNTS = (186, 114, 60, 8, 4, 4)
MOON_COUNTS = (442, 149, 34, 2)

ARCSEC_PER_RAD = 648000.0 / math.pi  # the generator works with full-precision pi
TWO_PI = 2.0 * math.pi


# --------------------------------------------------------------------------------------
# Earth, VSOP87D


def read_vsop_longitude(path):
    """Returns six lists of (A, B, C) decimal strings, A in rad, for L0 ... L5."""
    blocks = {}
    current = None
    with open(path, encoding="ascii") as f:
        for raw in f:
            line = raw.rstrip("\r\n")
            if line.startswith(" VSOP87"):
                variable = int(line.split("VARIABLE")[1].split()[0])
                power = int(line.split("*T**")[1].split()[0])
                declared = int(line.split("*T**")[1].split()[1])
                current = (variable, power)
                blocks[current] = {"declared": declared, "terms": []}
                continue
            if current is None or not line.strip():
                continue
            a = line[79:97].strip()
            b = line[97:111].strip()
            c = line[111:131].strip()
            blocks[current]["terms"].append((a, b, c))
    series = []
    for power in range(6):
        block = blocks[(1, power)]
        if len(block["terms"]) != block["declared"]:
            sys.exit(f"VSOP87D: L{power} holds {len(block['terms'])} terms, "
                     f"header says {block['declared']}")
        series.append(block["terms"])
    return series


def earth_tables(path):
    series = read_vsop_longitude(path)
    tables = []
    for power, (terms, count) in enumerate(zip(series, EARTH_COUNTS)):
        ordered = sorted(terms, key=lambda term: -abs(Decimal(term[0])))
        kept = ordered[:count]
        if len(kept) != count:
            sys.exit(f"VSOP87D: L{power} has only {len(kept)} terms")
        rows = []
        for a, b, c in kept:
            amplitude = (Decimal(a) * Decimal(10) ** 10).quantize(Decimal(1), ROUND_HALF_UP)
            rows.append((str(amplitude), b, c))
        left_out = ordered[count] if len(ordered) > count else None
        tables.append((rows, left_out))
    return tables


# --------------------------------------------------------------------------------------
# Moon, ELP/MPP02 (DE405 fit)


def dms(deg, minutes, seconds):
    return deg * 3600.0 + minutes * 60.0 + seconds


def moon_arguments():
    """Polynomial coefficients (t^0 ... t^4) in rad of the lunar arguments."""
    # Mean arguments in arc-seconds, DE405-fitted corrections added.
    w1 = [dms(218, 18, 59.95571 - 0.07008), 1732559343.73604 - 0.35106,
          -6.8084 - 0.03743, 0.0066040 - 0.00018865, -0.000031690 - 0.00001024]
    w2 = [dms(83, 21, 11.67475 + 0.20794), 14643420.3171 + 0.08017,
          -38.2631 + 0.00470602, -0.045047 - 0.00025213, 0.00021301]
    w3 = [dms(125, 2, 40.39816 - 0.07215), -6967919.5383 - 0.04317,
          6.3590 - 0.00261070, 0.0076250 - 0.00010712, -0.000035860]
    emb = [dms(100, 27, 59.13885 - 0.00033), 129597742.29300 + 0.00732,
           -0.020200, 0.0000090, 0.00000015]
    peri = [dms(102, 56, 14.45766 - 0.00749), 1161.24342, 0.529265, -0.00011814,
            0.000011379]

    # Corrections of the mean motions of the perigee and the node from the fitted
    # constants.
    nu = w1[1] / ARCSEC_PER_RAD  # rad per century
    d_nu, d_np, d_gamma, d_e, d_ep = -0.35106, 0.00732, 0.00085, -0.00006, 0.00224
    m = 0.074801329
    alpha = 0.002571881
    xa = 2.0 * alpha / 3.0
    beta_w2 = (0.311079095, -0.004482398, -0.001102485, 0.001056062, 0.000050928)
    beta_w3 = (-0.103837907, 0.000668287, -0.001298072, -0.000178028, -0.000037342)
    for w, beta in ((w2, beta_w2), (w3, beta_w3)):
        y = m * beta[0] + xa * beta[4]
        x = w[1] / w1[1]
        c = ((x - y) * d_nu + (y / m) * d_np +
             nu * (beta[1] * d_gamma + beta[2] * d_e + beta[3] * d_ep))
        w[1] += c

    def rad(poly):
        return [v / ARCSEC_PER_RAD for v in poly]

    def sub(p, q):
        return [a - b for a, b in zip(p, q)]

    half_turn = [dms(180, 0, 0), 0, 0, 0, 0]
    delaunay = [
        [a + b for a, b in zip(sub(w1, emb), half_turn)],  # D
        sub(w1, w3),  # F
        sub(w1, w2),  # l
        sub(emb, peri),  # l'
    ]
    planets = [
        [dms(252, 15, 3.216919), 538101628.66888],  # Mercury
        [dms(181, 58, 44.758419), 210664136.45777],  # Venus
        [dms(100, 27, 59.138850), 129597742.29300],  # Earth-Moon barycentre
        [dms(355, 26, 3.642778), 68905077.65936],  # Mars
        [dms(34, 21, 5.379392), 10925660.57335],  # Jupiter
        [dms(50, 4, 38.902495), 4399609.33632],  # Saturn
        [dms(314, 3, 4.354234), 1542482.57845],  # Uranus
        [dms(304, 20, 56.808371), 786547.89700],  # Neptune
    ]
    planets = [p + [0.0, 0.0, 0.0] for p in planets]
    zeta = list(w1)
    zeta[1] += 5029.0966 - 0.29965
    main_consts = {
        "nu": nu, "d_nu": d_nu, "d_np": d_np, "d_gamma": d_gamma, "d_e": d_e,
        "d_ep": d_ep, "m": m, "alpha": alpha,
    }
    return ([rad(p) for p in delaunay], [rad(p) for p in planets], rad(zeta), main_consts)


def combine(multipliers, polys):
    out = [0.0] * 5
    for k, poly in zip(multipliers, polys):
        if k:
            for j in range(5):
                out[j] += k * poly[j]
    return out


def table_term(amplitude, argument, phase):
    """One term amplitude*sin(phase + argument) as (A, B, C, D, E, F) of the cosine form."""
    b = argument[0] + phase - math.pi / 2.0
    if amplitude < 0:
        amplitude = -amplitude
        b += math.pi
    b = math.fmod(b, TWO_PI)
    if b < 0:
        b += TWO_PI
    return (amplitude, b, argument[1], argument[2] * 1e4, argument[3] * 1e8,
            argument[4] * 1e8)


def read_elp_main(path, delaunay, consts):
    with open(path, encoding="ascii") as f:
        lines = [line.rstrip("\r\n") for line in f]
    declared = int(lines[0][25:35])
    nu = consts["nu"]
    m = consts["m"]
    delta_nu = (0.55604 + consts["d_nu"]) / ARCSEC_PER_RAD / nu
    delta_np = (-0.06424 + consts["d_np"]) / ARCSEC_PER_RAD / nu
    delta_e = (0.01789 + consts["d_e"]) / ARCSEC_PER_RAD
    delta_gamma = (-0.08066 + consts["d_gamma"]) / ARCSEC_PER_RAD
    delta_ep = (-0.12879 + consts["d_ep"]) / ARCSEC_PER_RAD
    dtasm = 2.0 * consts["alpha"] / (3.0 * m)
    terms = []
    for line in lines[1:]:
        if not line.strip():
            continue
        mult = [int(line[3 * i:3 * i + 3]) for i in range(4)]
        a = float(line[14:27])
        b = [float(line[27 + 12 * i:39 + 12 * i]) for i in range(5)]
        corrected = (a + (b[0] + dtasm * b[4]) * (delta_np - m * delta_nu) +
                     b[1] * delta_gamma + b[2] * delta_e + b[3] * delta_ep)
        terms.append(table_term(corrected, combine(mult, delaunay), 0.0))
    if len(terms) != declared:
        sys.exit(f"ELP main problem: {len(terms)} terms, header says {declared}")
    return terms


def read_elp_pert(path, delaunay, planets, zeta):
    """Returns the perturbation series by power of t: {power: [terms]}."""
    series = {}
    declared = {}
    power = None
    with open(path, encoding="ascii") as f:
        for raw in f:
            line = raw.rstrip("\r\n")
            if line.startswith("PERTURBATIONS"):
                power = int(line[35:45])
                declared[power] = int(line[25:35])
                series[power] = []
                continue
            if not line.strip():
                continue
            s = float(line[5:25].replace("D", "E"))
            c = float(line[25:45].replace("D", "E"))
            mult = [int(line[45 + 3 * i:48 + 3 * i]) for i in range(16)]
            argument = combine(mult[0:4] + mult[4:12] + [mult[12]],
                               delaunay + planets + [zeta])
            phase = math.atan2(c, s)
            if phase < 0:
                phase += TWO_PI
            series[power].append(table_term(math.hypot(s, c), argument, phase))
    for p, terms in series.items():
        if len(terms) != declared[p]:
            sys.exit(f"ELP perturbations t^{p}: {len(terms)} terms, header says {declared[p]}")
    return series


def moon_tables(folder):
    delaunay, planets, zeta, consts = moon_arguments()
    main = read_elp_main(os.path.join(folder, "ELP_MAIN.S1"), delaunay, consts)
    pert = read_elp_pert(os.path.join(folder, "ELP_PERT.S1"), delaunay, planets, zeta)
    tables = []
    for power, count in enumerate(MOON_COUNTS):
        terms = list(pert.get(power, []))
        if power == 0:
            terms += main
        ordered = sorted(terms, key=lambda term: -term[0])
        if len(ordered) < count:
            sys.exit(f"ELP t^{power}: only {len(ordered)} terms")
        left_out = ordered[count] if len(ordered) > count else None
        tables.append((ordered[:count], left_out))
    return tables


# --------------------------------------------------------------------------------------
# Output


def fmt(v):
    s = "%.14g" % v
    if s in ("-0", "0"):
        return "0"
    return s


def write_header(out_path, earth, moon):
    lines = []
    lines.append("// Generated by tools/gen_astro_tables.py from VSOP87D (Earth) and ELP/MPP02 "
                 "(Moon); do not edit.")
    lines.append("// Coefficient tables of the calendar's ephemeris: the Earth's heliocentric "
                 "longitude and")
    lines.append("// the Moon's geocentric longitude, each series in decreasing order of "
                 "amplitude.")
    lines.append("#pragma once")
    lines.append("")
    lines.append("// clang-format off")
    lines.append("namespace taiyi::astro_tables {")
    lines.append("")
    for power, (rows, left_out) in enumerate(earth):
        lines.append(f"// Earth longitude series L{power} (multiplied by T^{power}, T in Julian "
                     "millennia of TT from J2000):")
        lines.append("// triples (A, B, C), term A*cos(B + C*T); A in 1e-10 rad, B in rad, C in "
                     "rad per millennium.")
        smallest = rows[-1][0]
        nxt = "none" if left_out is None else str(
            (Decimal(left_out[0]).copy_abs() * Decimal(10) ** 10).quantize(Decimal(1),
                                                                         ROUND_HALF_UP))
        lines.append(f"// {len(rows)} terms, smallest amplitude kept {smallest}, "
                     f"largest left out {nxt}.")
        lines.append(f"static constexpr double kEarthL{power}[] = {{")
        for a, b, c in rows:
            lines.append(f"    {a}, {b}, {c},")
        lines.append("};")
        lines.append("")
    for power, (rows, left_out) in enumerate(moon):
        lines.append(f"// Moon longitude series S{power} (multiplied by t^{power}, t in Julian "
                     "centuries of TT from J2000):")
        lines.append("// rows (A, B, C, D, E, F), term A*cos(B + C*t + D*t2 + E*t3 + F*t4) with "
                     "t2 = t^2*1e-4,")
        lines.append("// t3 = t^3*1e-8, t4 = t^4*1e-8; A in arc-seconds, B in rad, C in rad per "
                     "century, D, E, F in")
        lines.append("// rad per scaled power.")
        nxt = "none" if left_out is None else fmt(left_out[0])
        lines.append(f"// {len(rows)} terms, smallest amplitude kept {fmt(rows[-1][0])}, "
                     f"largest left out {nxt}.")
        lines.append(f"static constexpr double kMoonS{power}[] = {{")
        for row in rows:
            lines.append("    " + ", ".join(fmt(v) for v in row) + ",")
        lines.append("};")
        lines.append("")
    lines.append("}  // namespace taiyi::astro_tables")
    lines.append("// clang-format on")
    with open(out_path, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def main():
    repo = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(repo, "..", "shared", "data",
                                                              "astro")
    out = sys.argv[2] if len(sys.argv) > 2 else os.path.join(repo, "calendar", "astro_tables.h")
    earth = earth_tables(os.path.join(data, "vsop87", "VSOP87D.ear"))
    moon = moon_tables(os.path.join(data, "elpmpp02"))
    write_header(out, earth, moon)
    for power, (rows, left_out) in enumerate(earth):
        print(f"L{power}: {len(rows)} terms, smallest {rows[-1][0]}")
    for power, (rows, left_out) in enumerate(moon):
        print(f"S{power}: {len(rows)} terms, smallest {fmt(rows[-1][0])}")


if __name__ == "__main__":
    main()
