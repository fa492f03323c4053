#!/usr/bin/env python3
"""Writes dat/jutext.txt, the 144 ju texts (1001..1072 阳遁, 1801..1872 阴遁).

Each ju is charted by the program itself: an hour chart whose period position is the ju's
first one (P = ju - 1, the 甲子元 of the ju), in the first half of the year for 阳遁 and the
second half for 阴遁.  The counts, the generals, 太乙, 文昌, 始击 and 计神 depend only on the
遁 and the ju; the gate is the one of that hour.  From the chart's JSON (counts, positions,
analysis facts, conditions, count patterns) the body is composed:

  1. the host count, the gate and what is remarkable about the generals (不出中宫: a general
     in the centre; 囚: a general on the palace of 太乙);
  2. the guest and fixed counts with the generals not yet named;
  3. where 太乙, 文昌, 始击 and 计神 stand, and what the gate governs;
  4. the conditions 掩 迫 关 囚 击 格 对 present, or that none is;
  5. the count patterns (和, 杜塞, 无天/无地/无人, 重阳/重阴 …) with the counts that carry them;
  6. the judgement (利主/利客, 宜守/宜攻) scored from the counts, the generals and the
     conditions, see judgement().

Run by hand after building taiyi-cli:
  python3 tools/gen_ju_texts.py [path/to/taiyi-cli] > dat/jutext.txt
"""

import datetime
import json
import os
import subprocess
import sys
import tempfile

CLI = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
    os.path.dirname(__file__), "..", "build-summary", "bin", "taiyi-cli")

DIGITS = "〇一二三四五六七八九"


def numeral(n):
    """1..99 as written in the texts: 五, 十, 十四, 二十, 二十九."""
    if n < 10:
        return DIGITS[n]
    tens, units = divmod(n, 10)
    return (DIGITS[tens] if tens > 1 else "") + "十" + (DIGITS[units] if units else "")


# Palace number -> the palace as the texts name it.
PALACE = {1: "乾一", 2: "离二", 3: "艮三", 4: "震四", 5: "中五", 6: "兑六", 7: "坤七",
          8: "坎八", 9: "巽九"}
# Position name of a palace position -> palace number.
PALACE_OF_POSITION = {"乾": 1, "午": 2, "艮": 3, "卯": 4, "中": 5, "酉": 6, "坤": 7, "子": 8,
                      "巽": 9}
# The eight palaces around the disc (position order) for neighbours and opposites.
RING = [8, 1, 6, 7, 2, 9, 4, 3]

GATE_MEANING = {
    "开": "开门主通达，利出师征伐、开拓疆土",
    "休": "休门主休养，利安抚百姓、修和息兵",
    "生": "生门主滋长，利营造农桑、聚财进益",
    "伤": "伤门主伤损，利捕猎讨逆，余事多凶",
    "杜": "杜门主闭塞，利藏形隐迹、固守城垒",
    "景": "景门主文明，利上书献策、选将誓师",
    "死": "死门主刑戮，利吊丧行刑，不宜举事",
    "惊": "惊门主惊恐，利掩捕斗讼，多有虚惊",
}

GENERALS = ["主大将", "主参将", "客大将", "客参将", "定大将", "定参将"]


def neighbours(p):
    i = RING.index(p)
    return {RING[(i + 1) % 8], RING[(i - 1) % 8]}


def opposite(p):
    return RING[(RING.index(p) + 4) % 8]


def where(position):
    """居坤七宫 for a palace position, 临寅 for a 间辰."""
    if position in PALACE_OF_POSITION:
        return "居" + PALACE[PALACE_OF_POSITION[position]] + "宫"
    return "临" + position


def chart_json(yang, ju, data_dir):
    """The hour chart of period ju - 1 in the wanted 遁."""
    period = ju - 1
    day_index, hour_index = divmod(period, 12)  # day pillar 甲子 + day_index, hour 子 + hour_index
    day = datetime.date(2001, 1, 10) if yang else datetime.date(2001, 7, 10)
    # Day pillar of a date: 2000-01-01 is 戊午 (55).
    while (55 + (day - datetime.date(2000, 1, 1)).days) % 60 != day_index + 1:
        day += datetime.timedelta(days=1)
    args = [CLI, "--data-dir", data_dir, "chart", "--kind", "时局", "--date", day.isoformat(),
            "--time", "%02d:30" % (2 * hour_index), "--set", "iDate=0", "--set", "zishi=0",
            "--json"]
    doc = json.loads(subprocess.run(args, check=True, capture_output=True, text=True).stdout)
    assert doc["yang"] == yang and doc["ju"] == ju and doc["period"] == period, (yang, ju)
    return doc


class Chart:
    def __init__(self, doc):
        self.doc = doc
        self.host = doc["counts"]["host"]
        self.guest = doc["counts"]["guest"]
        self.fixed = doc["counts"]["fixed"]
        self.gate = doc["gate"]
        self.position = {}
        for entry in doc["positions"]:
            for name in entry["deities"]:
                self.position.setdefault(name, entry["position"])
        self.palace = {f["name"]: f["palace"] for f in doc["facts"]}
        self.conditions = {c["name"]: c["palace"] for c in doc["conditions"]}
        self.patterns = set(doc["patterns"])
        self.taiyi = self.palace["太乙"]
        for g in GENERALS:
            assert self.position[g] in PALACE_OF_POSITION, g  # generals stand on palaces
        self.check_conditions()

    def general(self, name):
        return PALACE_OF_POSITION[self.position[name]]

    def check_conditions(self):
        """The conditions recomputed from the positions, as a check of the chart's own."""
        t, w, s = self.taiyi, self.palace["文昌"], self.palace["始击"]
        hd, hc, gd, gc = (self.general(g) for g in GENERALS[:4])
        want = set()
        if t in (w, s):
            want.add("掩")
        if t != 5 and w != 5 and w in neighbours(t):
            want.add("迫")
        if hd == hc == gd == gc:
            want.add("关")
        if (hd == t and hc == t) or (gd == t and gc == t):
            want.add("囚")
        if t != 5 and s != 5 and s in neighbours(t):
            want.add("击")
        if t != 5 and opposite(t) in (s, gd, gc):
            want.add("格")
        if w != 5 and opposite(w) == t:
            want.add("对")
        assert want == set(self.conditions), (want, self.conditions)

    # A general in the centre does not leave it; one on the palace of 太乙 is imprisoned.
    def stuck(self, name):
        return self.general(name) == 5

    def imprisoned(self, name):
        return self.general(name) == self.taiyi


def pair_clause(chart, big, small, mention_rest):
    """What the two generals of one side show, in their order: 不出中宫 (in the centre), 囚
    (on the palace of 太乙), and with mention_rest where the others stand.  Returns the clause
    and the generals it named."""
    def status(n):
        return "不出中宫" if chart.stuck(n) else "囚" if chart.imprisoned(n) else None

    a, b = status(big), status(small)
    if a and a == b:
        return big + "、" + small + a, {big, small}
    parts, said = [], set()
    for n, st in ((big, a), (small, b)):
        if st:
            parts.append(n + st)
            said.add(n)
        elif mention_rest:
            parts.append(n + "居" + PALACE[chart.general(n)] + "宫")
            said.add(n)
    return "，".join(parts), said


def opening(chart):
    text = "主算" + numeral(chart.host) + "，"
    if chart.gate:
        text += "八门" + chart.gate + "，"
    host, _ = pair_clause(chart, "主大将", "主参将", True)
    guest, said = pair_clause(chart, "客大将", "客参将", False)
    text += host
    if guest:
        text += "；" + guest
    return text + "。", said


def counts_sentence(chart, guest_said):
    rest = [n for n in ("客大将", "客参将") if n not in guest_said]
    text = "客算" + numeral(chart.guest)
    if rest:
        text += "，" + "，".join(n + "居" + PALACE[chart.general(n)] + "宫" for n in rest)
    text += "；定算" + numeral(chart.fixed) + "，定大将居" + PALACE[chart.general("定大将")] + \
        "宫，定参将居" + PALACE[chart.general("定参将")] + "宫。"
    return text


def deities_sentence(chart, ju):
    text = ("太乙" + where(chart.position["太乙"]) + "，文昌" + where(chart.position["文昌"]) +
            "，始击" + where(chart.position["始击"]) + "，计神" + where(chart.position["计神"]) +
            "。")
    if chart.gate:
        text += GATE_MEANING[chart.gate] + "。"
    return text


def conditions_sentences(chart, ju):
    t = PALACE[chart.taiyi]
    w, s = chart.palace["文昌"], chart.palace["始击"]
    out = []
    c = chart.conditions
    if "掩" in c:
        who = [n for n, p in (("文昌", w), ("始击", s)) if p == chart.taiyi]
        if who == ["始击"]:
            out.append("始击与太乙同居" + t + "，是为掩，臣下蔽主，阴谋窃发")
        elif who == ["文昌"]:
            out.append("文昌与太乙同宫，亦为掩，主将专擅，上令不行")
        else:
            out.append("文昌、始击并临太乙之宫，掩之甚者，君弱臣强，宜防篡逆")
    if "迫" in c:
        out.append(("文昌居" + PALACE[w] + "，逼太乙之侧，是为迫，近臣逼上，宫闱不宁",
                    "文昌在太乙邻宫" + PALACE[w] + "，是为迫，内有胁迫，谋事多阻")[ju % 2])
    if "关" in c:
        out.append("主客四将同聚" + PALACE[chart.general("主大将")] +
                   "，是为关，两军相拒，道路隔绝")
    if "囚" in c:
        sides = []
        if chart.imprisoned("主大将") and chart.imprisoned("主参将"):
            sides.append("主大将、主参将")
        if chart.imprisoned("客大将") and chart.imprisoned("客参将"):
            sides.append("客大将、客参将")
        out.append("与".join(sides) + "俱入太乙之宫，是为囚，将受君制，不可轻动")
    if "击" in c:
        out.append(("始击居" + PALACE[s] + "，近临太乙，是为击，外寇侵凌，边鄙有警",
                    "始击在太乙邻宫" + PALACE[s] + "，是为击，下有犯上之兆")[ju % 2])
    if "格" in c:
        opp = opposite(chart.taiyi)
        who = [n for n, p in (("始击", s), ("客大将", chart.general("客大将")),
                              ("客参将", chart.general("客参将"))) if p == opp]
        out.append("、".join(who) + "与太乙对冲于" + PALACE[opp] + "，是为格，上下相违，政令乖隔")
    if "对" in c:
        out.append("文昌居" + PALACE[w] + "，与太乙相望，是为对，君臣相背，号令难行")
    if not out:
        return ("掩、迫、关、囚、击、格、对七者皆不犯，上下相安。",
                "是局无掩迫关囚击格对之灾，君臣各安其位。")[ju % 2]
    return "；".join(out) + "。"


def carriers(chart, test):
    return [(side, n) for side, n in (("主算", chart.host), ("客算", chart.guest)) if test(n)]


def named(carrier):
    return "、".join(side + numeral(n) for side, n in carrier)


def patterns_sentences(chart):
    p = chart.patterns
    out = []
    if "上和数" in p:
        out.append("主算" + numeral(chart.host) + "，为上和之数，阴阳和合，上下相亲")
    if "中和数" in p:
        out.append("主算" + numeral(chart.host) + "，为中和之数，虽有小阻，终归于和")
    if "下和数" in p:
        out.append("主算" + numeral(chart.host) + "，为下和之数，和而未固，宜慎终如始")
    double = {
        "重阳数": (lambda n: n in (33, 39), "文昌在阳宫，为重阳之数，阳亢而动，主旱暵兵兴"),
        "重阴数": (lambda n: n in (22, 26), "文昌在阴宫，为重阴之数，阴盛而滞，主水潦阴谋"),
        "杂重阳数": (lambda n: n in (13, 19, 30), "为杂重阳之数，阳中有杂，吉凶参半"),
        "杂重阴数": (lambda n: n in (24, 28), "为杂重阴之数，阴中有杂，事多反复"),
        "阴中重阳数": (lambda n: n in (11, 17), "文昌在阴宫而得阳数，为阴中重阳，内柔外刚，谋而后动"),
    }
    for name, (test, words) in double.items():
        if name in p:
            out.append(named(carriers(chart, test)) + "，" + words)
    # The lacks of each count, the counts with the same lacks named together.
    lacks = [
        ("杜塞无门之算", lambda n: n % 10 == 5, "进退无路"),
        ("无天之算", lambda n: n < 10, "上无所依"),
        ("无地之算", lambda n: 1 <= n % 10 <= 4, "下无所据"),
        ("无人之算", lambda n: n % 10 == 0, "中无辅佐"),
    ]
    found = set()
    by_lacks = {}
    for side, n in (("主算", chart.host), ("客算", chart.guest)):
        mine = tuple(i for i, (_, test, _) in enumerate(lacks) if test(n))
        found.update(lacks[i][0] for i in mine)
        if mine:
            by_lacks.setdefault(mine, []).append((side, n))
    assert found == p & {name for name, _, _ in lacks}, (found, p)
    for mine, sides in by_lacks.items():
        names = "、".join(lacks[i][0][:-2] for i in mine) + "之算"
        words = "，".join(lacks[i][2] for i in mine)
        out.append(named(sides) + "，为" + names + "，" + words)
    return "；".join(out) + "。" if out else ""


def judgement(chart):
    """Score > 0 favours the host, < 0 the guest; a tie goes to the host, who holds still.

    +1 the longer count; -1 for each lack (无天, 无地, 无人, 杜塞) of a side's count; +1 a
    和 host count; -1 each general of a side on the palace of 太乙 (囚); the conditions 掩,
    迫, 击, 格 and 对 press upon 太乙 and the host (+1 for the guest each).  The favoured side
    should attack (宜攻) when it is the guest, hold (宜守) when it is the host; 关 and a
    favoured 大将 that does not leave the centre turn either to holding."""
    score = 0
    if chart.host != chart.guest:
        score += 1 if chart.host > chart.guest else -1
    faults = {"主": [], "客": []}  # what speaks against each side
    lack_names = ("无天", "无地", "无人", "杜塞")
    for side, n, sign in (("主", chart.host, 1), ("客", chart.guest, -1)):
        for name, lacking in zip(lack_names, (n < 10, 1 <= n % 10 <= 4, n % 10 == 0,
                                              n % 10 == 5)):
            if lacking:
                score -= sign
                faults[side].append(side + "算" + name)
    if chart.patterns & {"上和数", "中和数", "下和数"}:
        score += 1
        faults["客"].append("主算得和")
    for name, sign in (("主大将", 1), ("主参将", 1), ("客大将", -1), ("客参将", -1)):
        if chart.imprisoned(name):
            score -= sign
            faults[name[0]].append(name + "囚")
    pressing = {"掩": "太乙被掩", "迫": "太乙受迫", "击": "太乙受击", "格": "太乙被格",
                "对": "文昌对冲"}
    for c, words in pressing.items():
        if c in chart.conditions:
            score -= 1
            faults["主"].append(words)
    host = score >= 0
    big = "主大将" if host else "客大将"
    hold = host or "关" in chart.conditions or chart.stuck(big)
    if chart.host == chart.guest:
        why = "主客算等"
    elif (chart.host > chart.guest) == host:
        why = "主算长而客算短" if host else "客算长而主算短"
    else:
        loser = "客" if host else "主"
        why = loser + "算虽长，然" + "、".join(faults[loser])
    text = "断曰：" + why + "，"
    if host:
        text += "利主，宜守，先起者败。" if hold else "利主，宜攻。"
    else:
        text += "利客，宜守，待时而动。" if hold else "利客，宜攻，先举者胜。"
    return text


def body(chart, ju):
    first, guest_said = opening(chart)
    return (first + counts_sentence(chart, guest_said) + deities_sentence(chart, ju) +
            conditions_sentences(chart, ju) + patterns_sentences(chart) + judgement(chart))


def main():
    lines = ["# generated by tools/gen_ju_texts.py from the charts of taiyi-cli; number=title_body"]
    with tempfile.TemporaryDirectory() as data_dir:
        for yang, base in ((True, 1000), (False, 1800)):
            for ju in range(1, 73):
                chart = Chart(chart_json(yang, ju, data_dir))
                lines.append("%d=第%s局_%s" % (base + ju, numeral(ju), body(chart, ju)))
    sys.stdout.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
