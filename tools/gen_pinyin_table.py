#!/usr/bin/env python3
"""Writes store/pinyin_table.cpp: the pinyin syllable table (406 entries) and the syllable
index of every two-byte GBK code (lead 0x81..0xFE times trail 0x40..0xFE, 24066 entries).

Run by hand:  python3 tools/gen_pinyin_table.py [UNIHAN_READINGS] [OUTPUT]
  UNIHAN_READINGS  Unihan_Readings.txt or .txt.bz2 (default: the one of Debian's
                   unicode-data package, /usr/share/unicode/Unihan_Readings.txt[.bz2])
  OUTPUT           default: store/pinyin_table.cpp beside this folder

Each GBK code is decoded with Python's 'gbk' codec; the character's reading is the first
value of its kMandarin field, tone marks removed and u-umlaut written v (lve and nve are
the syllables lue and nue).  A reading that is not a syllable of the table falls back to the
character's other readings (kMandarin, kHanyuPinlu, kXHC1983, kHanyuPinyin, kTGHZ2013, in
that order), the first one that is.  A handful of characters take a fixed reading: the
common reading of a surname character, and the readings the table spells its own way.
"""

import bz2
import os
import re
import sys
import unicodedata

# Syllables 1..393: the ordinary syllables in alphabetical order, except for three places
# (ji after ge, qiao after jiang, yao after nue).  There is no gei (给 reads ji, entry 92)
# and no fo; pou has its place between po and pu.
ORDINARY = """
a ai an ang ao ba bai ban bang bao bei ben beng bi bian biao bie bin bing bo bu ca cai can
cang cao ce ceng cha chai chan chang chao che chen cheng chi chong chou chu chuai chuan
chuang chui chun chuo ci cong cou cu cuan cui cun cuo da dai dan dang dao de deng di dian
diao die ding diu dong dou du duan dui dun duo e en er fa fan fang fei fen feng fou fu ga
gai gan gang gao ge ji gen geng gong gou gu gua guai guan guang gui gun guo ha hai han hang
hao he hei hen heng hong hou hu hua huai huan huang hui hun huo jia jian jiang qiao jiao
jie jin jing jiong jiu ju juan jue jun ka kai kan kang kao ke ken keng kong kou ku kua kuai
kuan kuang kui kun kuo la lai lan lang lao le lei leng li lia lian liang liao lie lin ling
liu long lou lu luan lue lun luo ma mai man mang mao me mei men meng mi mian miao mie min
ming miu mo mou mu na nai nan nang nao ne nei nen neng ni nian niang niao nie nin ning niu
nong nu nuan nue yao nuo o ou pa pai pan pang pao pei pen peng pi pian piao pie pin ping po
pou pu qi qia qian qiang qie qin qing qiong qiu qu quan que qun ran rang rao re ren reng ri
rong rou ru ruan rui run ruo sa sai san sang sao se sen seng sha shai shan shang shao she
shen sheng shi shou shu shua shuai shuan shuang shui shun shuo si song sou su suan sui sun
suo ta tai tan tang tao te teng ti tian tiao tie ting tong tou tu tuan tui tun tuo wa wai
wan wang wei wen weng wo wu xi xia xian xiang xiao xie xin xing xiong xiu xu xuan xue xun
ya yan yang ye yi yin ying yo yong you yu yuan yue yun za zai zan zang zao ze zei zen zeng
zha zhai zhan zhang zhao zhe zhen zheng zhi zhong zhou zhu zhua zhuai zhuan zhuang zhui
zhun zhuo zi zong zou zu zuan zui zun zuo
""".split()

# Syllables 395..405, after the empty entry 394.
EXTRA = "ei m n dia cen nou jv qv xv lv nv".split()

# Characters whose reading is fixed: (character, syllable, entry or None for the syllable's
# ordinary entry).
FIXED = [
    ("张", "zhang", None), ("王", "wang", None), ("李", "li", None), ("赵", "zhao", None),
    ("陈", "chen", None), ("吕", "lv", None), ("女", "nv", None), ("给", "ji", 92),
    ("单", "dan", None), ("曾", "ceng", None), ("仇", "chou", None), ("解", "jie", None),
    ("区", "qu", None),
]

SYLLABLE_TABLE = [""] + ORDINARY + [""] + EXTRA


def check_tables():
    assert len(ORDINARY) == 393, len(ORDINARY)
    assert len(SYLLABLE_TABLE) == 406
    assert all(len(s) <= 6 and re.fullmatch("[a-z]+", s) for s in ORDINARY + EXTRA)
    assert SYLLABLE_TABLE[1:7] == ["a", "ai", "an", "ang", "ao", "ba"]
    assert SYLLABLE_TABLE[92] == "ji" and SYLLABLE_TABLE[91] == "ge"
    assert SYLLABLE_TABLE[93] == "gen"
    assert SYLLABLE_TABLE[126:129] == ["jiang", "qiao", "jiao"]
    assert SYLLABLE_TABLE[219:222] == ["nue", "yao", "nuo"]
    assert SYLLABLE_TABLE[393] == "zuo" and SYLLABLE_TABLE[394] == ""
    assert SYLLABLE_TABLE[395] == "ei" and SYLLABLE_TABLE[405] == "nv"
    assert len(set(ORDINARY)) == 393 and not set(ORDINARY) & set(EXTRA)


def syllable_numbers():
    """Syllable -> entry; every syllable has one entry (ji, qiao and yao at their
    irregular places)."""
    return {s: i for i, s in enumerate(SYLLABLE_TABLE) if s}


def plain_syllable(reading):
    """A Unihan reading (with tone marks, maybe a digit or comment) as a table syllable."""
    text = reading.split(":")[-1].strip().lower()
    text = re.sub(r"\(.*?\)", "", text)
    text = unicodedata.normalize("NFD", text)
    out = []
    for ch in text:
        if ch == "\u0308":  # combining diaeresis: u-umlaut
            if out and out[-1] == "u":
                out[-1] = "v"
            continue
        if unicodedata.combining(ch):
            continue
        out.append(ch)
    s = "".join(out)
    s = s.replace("ü", "v")
    if s in ("lve", "nve"):
        s = s[0] + "ue"
    return s if re.fullmatch("[a-z]+", s) else ""


def read_unihan(path):
    opener = bz2.open if path.endswith(".bz2") else open
    fields = ("kMandarin", "kHanyuPinlu", "kXHC1983", "kHanyuPinyin", "kTGHZ2013")
    readings = {}
    with opener(path, "rt", encoding="utf-8") as f:
        for line in f:
            if not line.startswith("U+"):
                continue
            code, field, value = line.rstrip("\n").split("\t", 2)
            if field not in fields:
                continue
            cp = int(code[2:], 16)
            values = []
            for item in value.split():
                # kHanyuPinyin and kTGHZ2013 carry "locations:reading,reading".
                for part in item.split(":")[-1].split(","):
                    values.append(part)
            readings.setdefault(cp, {})[field] = values
    return readings, fields


def default_unihan():
    for p in ("/usr/share/unicode/Unihan_Readings.txt",
              "/usr/share/unicode/Unihan_Readings.txt.bz2"):
        if os.path.exists(p):
            return p
    sys.exit("Unihan_Readings.txt not found: install unicode-data or give its path")


def build_index(readings, fields, numbers):
    fixed = {}
    for ch, syl, entry in FIXED:
        fixed[ch] = entry if entry is not None else numbers[syl]
    index = [0] * (126 * 191)
    fallbacks = []
    missing = []
    for lead in range(0x81, 0xFF):
        for trail in range(0x40, 0xFF):
            try:
                ch = bytes([lead, trail]).decode("gbk")
            except UnicodeDecodeError:
                continue
            if len(ch) != 1:
                continue
            slot = (lead - 0x81) * 191 + (trail - 0x40)
            if ch in fixed:
                index[slot] = fixed[ch]
                continue
            fields_of = readings.get(ord(ch))
            if not fields_of or "kMandarin" not in fields_of:
                continue
            first = plain_syllable(fields_of["kMandarin"][0])
            if first in numbers:
                index[slot] = numbers[first]
                continue
            chosen = 0
            for field in fields:
                for r in fields_of.get(field, []):
                    s = plain_syllable(r)
                    if s in numbers:
                        chosen = numbers[s]
                        break
                if chosen:
                    break
            index[slot] = chosen
            (fallbacks if chosen else missing).append((ch, first, SYLLABLE_TABLE[chosen]))
    return index, fallbacks, missing


def write_cpp(path, index):
    lines = [
        "// Generated by tools/gen_pinyin_table.py from the Unicode Unihan readings; do not edit.",
        "// Pinyin syllables and the syllable number of every two-byte GBK code.",
        '#include "store/pinyin_table.h"',
        "",
        "namespace taiyi {",
        "namespace {",
        "",
        "// Syllable n of the table; v stands for u-umlaut.  Entries 0 and 394 are empty.",
        "constexpr const char* kSyllables[kPinyinSyllableCount] = {",
    ]
    row = []
    for s in SYLLABLE_TABLE:
        row.append('"%s",' % s)
        if len(row) == 12:
            lines.append("    " + " ".join(row))
            row = []
    if row:
        lines.append("    " + " ".join(row))
    lines += [
        "};",
        "",
        "// Entry (lead - 0x81) * 191 + (trail - 0x40): the syllable number, 0 for none.",
        "constexpr unsigned short kIndex[kPinyinIndexCount] = {",
    ]
    per_line = 24
    for i in range(0, len(index), per_line):
        lines.append(",".join(str(v) for v in index[i:i + per_line]) + ",")
    lines += [
        "};",
        "",
        "}  // namespace",
        "",
        "const char* PinyinSyllable(int number) {",
        "  if (number < 0 || number >= kPinyinSyllableCount) return \"\";",
        "  return kSyllables[number];",
        "}",
        "",
        "int PinyinSyllableNumber(unsigned char lead, unsigned char trail) {",
        "  if (lead < 0x81 || lead > 0xFE || trail < 0x40 || trail > 0xFE) return 0;",
        "  return kIndex[(lead - 0x81) * 191 + (trail - 0x40)];",
        "}",
        "",
        "}  // namespace taiyi",
        "",
    ]
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines))


def main():
    check_tables()
    here = os.path.dirname(os.path.abspath(__file__))
    src = sys.argv[1] if len(sys.argv) > 1 else default_unihan()
    out = sys.argv[2] if len(sys.argv) > 2 else os.path.join(here, "..", "store",
                                                             "pinyin_table.cpp")
    readings, fields = read_unihan(src)
    numbers = syllable_numbers()
    index, fallbacks, missing = build_index(readings, fields, numbers)
    write_cpp(out, index)
    print("entries set: %d of %d" % (sum(1 for v in index if v), len(index)))
    print("other reading taken for %d: %s" % (
        len(fallbacks), " ".join("%s(%s->%s)" % f for f in fallbacks)))
    print("no table syllable for %d: %s" % (
        len(missing), " ".join("%s(%s)" % (c, s) for c, s, _ in missing)))


if __name__ == "__main__":
    main()
