// The fixed sentences of the written analysis: the interpretations of the count
// patterns, the rule texts of the offence years with their closing texts, and the 五福
// combinations.  Indexed by ChartCondition and CountPattern.
#pragma once

#include <array>
#include <string_view>

#include "chart/conditions.h"
#include "chart/count_patterns.h"

namespace taiyi {

// The interpretation of each pattern, each ending in "\r\n"; 杜塞无门之算 has none.
inline constexpr std::array<std::string_view, kCountPatternCount> kPatternTexts = {
    "★算得上和数，主天地庆会，阴阳交通，士人高第，宦者显官，庶民则财富丰足，田产广益。\r\n",
    "★算得中和数，主福禄迁荣，灾咎不作。\r\n",
    "★算得下和之数，主一生幽雅，财禄藩实而少灾。若得三和之算，虽遇阳九、百六凶灾之限，亦可变凶为吉"
    "。\r\n",
    "★算得重阳之数，为人太刚，乃阳之过也。若值运穷数极，阳九、百六灾限之年，主有横祸，轻则悲哀，重"
    "则灭绝。\r\n",
    "★算得重阴之数，为人太柔，乃阴中之过也。若值运穷数极，阳九、百六灾限之年，主有刑囚徒配夭殇之祸"
    "，女人得之，为不正，或遭盗贼之害。\r\n",
    "★算得杂重阳之数，为穷寒驳杂之人。若值运穷数极，阳九、百六灾限之年，主有囚困刑狱瘟疫之厄，或卒"
    "中风邪暴亡。\r\n",
    "★算得杂重阴之数，为漂流驳杂之人。若值运穷数极，阳九、百六灾限之年，主人离财散，有非横阴贿不明"
    "之祸，甚则亏损致命。\r\n",
    "★算得阴中重阳之数，为波浪驳杂之人，主多经险阻。若更带囚、迫，乃疯狂之辈，有刑狱之灾。女人逢之"
    "，主产厄血崩。若值阳九、百六灾限之年，其凶祸不可逃也。\r\n",
    "★得无天之算，主少年丧父。破家失业，又不懂礼，为不守正之人。\r\n",
    "★得无地之算，无地之算主少年丧母，破家产，废田宅，女人无德且损妻丧女。\r\n",
    "★得无人之算，无人之算主有家不立，有官不正，失人所望，有讼狱之灾，金宝荡散。衣食不足，言而无信"
    "。\r\n",
    "",
};

// Offence-year lists of each condition: 掩 迫 击 格 对 have the lists 太岁, 阳九, 百六; 关 adds
// five life-palace lists; 囚 has 阳九 and 百六; 格 adds one for the 身 and 命 palaces.
inline constexpr int kMaxOffenceLists = 8;

// The rule text of each list, empty where a condition has fewer lists.
inline constexpr std::array<std::array<std::string_view, kMaxOffenceLists>, kConditionCount>
    kOffenceRuleTexts = {{
        {"太岁逢之，主父子离别，有奸私哭泣之事。", "阳九逢之，主家宅有惊怪、瘟疫、死丧之事。",
         "百六逢之，主盗贼侵凌，或身遭刑狱。"},
        {"太岁逢之，主灾祸并废。", "阳九逢之，主财帛破散，六亲丧离；少者逢之，主淫邪败家。",
         "百六逢之，主财帛破散，六亲丧离；少者逢之，主淫邪败家。"},
        {"太岁逢之，六亲不睦，恩义隔绝。", "阳九逢之，命入黄泉。", "百六限数逢之，命入黄泉。",
         "父母宫逢之，则长上有灾。", "田宅宫逢之。主惊怪损伤。", "配偶宫逢之，主家属不安。",
         "奴仆宫逢之，主损伤。", "官禄宫逢之，主失职。"},
        {"阳九数逢之，主颠邪失志。",
         "百六数逢之，又兼三才无算数，主丧妻害子，及病瘟疫，或宅舍惊怪，官匪相挠。"},
        {"太岁逢之，主宅舍惊怪，风疾，盗贼，及淫乱不正之事。",
         "阳九逢之，主居官退职，吏失其权，僧道还修，庶人病厄。",
         "百六限数逢之，主居官退职，吏失其权，僧道还修，庶人病厄。"},
        {"太岁逢之，主多难。", "阳九限数逢之，主刑祸并至。", "百六限数逢之，主刑祸并至。",
         "身命宫逢之，主灾。"},
        {"太岁逢之，主事宜动，不宜静。", "阳九逢之，主牢狱之灾，阴人、小儿有溺缢之惊。",
         "百六逢之，更兼三才无算数，主岁中卒死，不然则病颠危，宜戒酒色以免荒迷狂荡之祸。"},
    }};

// Written after a condition's offence years, each ending in "\r\n"; empty where a condition
// has none.  囚 has its text for a woman only (kPrisonClosingForWoman).
inline constexpr std::array<std::string_view, kConditionCount> kOffenceClosingTexts = {
    "★少者逢之，主酒色猖狂，道悖理逆；老者逢之，主疾病丧亡；中年人逢之，主颠邪破荡；小儿逢之，主痢"
    "症疮毒；阴人逢之，主伤胎哭子，血崩气症。\r\n",
    "★少者逢之，主淫邪败家：老者逢之，主气弱之厄：官吏逢之，主失权丢官，或犯囚禁刑罚；阴人逢之，主"
    "恶疾。\r\n",
    "",
    "",
    "",
    "",
    ""};
inline constexpr std::string_view kPrisonClosingForWoman =
    "★阴人逢之，主产厄血光，或疮疾脓血之灾。\r\n";

inline constexpr std::string_view kNoLifeStar = "命宫无主星，可看对宫或者三合宫。\r\n\r\n";

// The 五福 combinations.
inline constexpr std::string_view kWuFuJunJiHighBranches =
    "★五福、君基同宫，主功镇天下、扬名海内。临辰戌丑未申诸宫，必在朝中为大官。\r\n";
inline constexpr std::string_view kWuFuJunJi = "★五福、君基同宫，主功镇天下、扬名海内。\r\n";
inline constexpr std::string_view kWuFuJunJiStrong =
    "★五福、君基同宫，临旺宫必会学业有成，福禄显赫，可为将相之才。\r\n";
inline constexpr std::string_view kWuFuChenJi = "★五福、臣基同宫，预示为人纯朴忠厚，性情和蔼。\r\n";
inline constexpr std::string_view kWuFuMinJiYinMao =
    "★五福、民基同宫，在寅卯宫等，职卑禄薄，却也无有灾祸。\r\n";
inline constexpr std::string_view kWuFuMinJi = "★五福、民基同宫，预示发财。\r\n";
inline constexpr std::string_view kWuFuWenChangStrong =
    "★五福、文昌同宫，若处于旺宫，定是一代豪杰。\r\n";
inline constexpr std::string_view kWuFuWenChangLife =
    "★五福、文昌同宫，出现在命身宫时，必然学业大成，为国家栋梁之才。\r\n";
inline constexpr std::string_view kWuFuJiShen =
    "★五福、计神同宫，五福清华福最高，与计神同宫是英豪。\r\n";
inline constexpr std::string_view kWuFuJiShenLifeStrong =
    "★五福、计神同宫，命宫遇之，加旺地主文章盖世，财富名高，可享极品之荣。\r\n";
inline constexpr std::string_view kWuFuJiShenLife =
    "★五福、计神同宫，命宫如果遇之，必富贵双全。\r\n";

// "一宫" … "九宫" by palace number (the centre "五宫"); empty outside 1..9.
std::string_view PalaceNumberName(int palace);

}  // namespace taiyi
