#include "store/surname_key.h"

#include <string>
#include <unordered_map>

#include "platform/gbk.h"
#include "store/im_code.h"

namespace taiyi {
namespace {

// The surname order, one surname per character (百家姓续 among them).
constexpr std::string_view kSurnameOrder =
    "赵钱孙李周吴郑王冯陈褚卫蒋沈韩杨朱秦尤许何吕施张孔曹严华金魏陶姜戚谢邹喻柏水窦章云苏潘葛奚范彭"
    "郎鲁韦昌马苗凤花方俞任袁柳酆鲍史唐费廉岑薛雷贺倪汤滕殷罗毕郝邬安常乐于时傅皮卞齐康伍余元卜顾孟"
    "平黄和穆萧尹姚邵舒汪祁毛禹狄米贝明臧计伏成戴谈宋茅庞熊纪屈项祝董杜阮蓝闵席季麻强贾路娄危江童颜"
    "郭梅盛林刁钟徐邱骆高夏蔡田樊胡凌霍虞万支柯咎管卢莫经房裘缪干解应宗宣丁贲邓郁单杭洪包诸左石崔吉"
    "钮龚程嵇邢滑裴陆荣翁荀羊於惠甄加封芮羿储靳汲邴糜松井段富巫乌焦巴弓牧隗山谷车候宓蓬全郗班仰秋仲"
    "尹宫宁仇栾暴甘钭厉戎祖武符刘詹束龙叶辛司韶郜黎蓟薄印宿白怀蒲台从鄂索咸籍赖卓蔺屠蒙池乔阴胥能苍"
    "双闻莘党翟谭贡劳逄姬申扶堵冉宰郦雍璩桑桂濮牛寿通边扈燕冀郏浦尚农温别庄晏柴瞿阎充慕连茹习宦艾鱼"
    "容向古易慎戈廖庚终暨居衡步都耿满弘匡国文寇广禄阙东殳沃利蔚越夔隆师巩厍聂晁勾敖融冷訾辛阚那简饶"
    "空曾毋沙乜养鞠须丰巢关蒯相查后红游竺权逯盖益桓公晋楚法汝鄢涂钦缑亢况有商牟佘佴伯赏墨哈谯笪年爱"
    "阳佟琴言福百家姓续岳帅";

const std::unordered_map<std::string_view, int>& SurnamePlaces() {
  static const std::unordered_map<std::string_view, int> places = [] {
    std::unordered_map<std::string_view, int> map;
    int position = 0;
    for (std::size_t i = 0; i < kSurnameOrder.size();) {
      const std::size_t len = Utf8CharLength(kSurnameOrder, i);
      map.emplace(kSurnameOrder.substr(i, len), ++position);  // keeps the first occurrence
      i += len;
    }
    return map;
  }();
  return places;
}

}  // namespace

int SurnamePosition(std::string_view text) {
  if (text.empty()) return 0;
  const auto& places = SurnamePlaces();
  const auto it = places.find(text.substr(0, Utf8CharLength(text, 0)));
  return it == places.end() ? 0 : it->second;
}

std::int32_t SurnameKey(std::string_view name) {
  if (name.empty()) return 0;
  const std::string first = Utf8ToGbk(name.substr(0, Utf8CharLength(name, 0)));
  std::string codes = ImCode().PinyinCodesGbk(first, 0);
  if (first.size() == 2) {
    for (char& c : codes) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
  }
  const std::int32_t initial = codes.empty() ? 0 : static_cast<signed char>(codes[0]);
  return initial * 1000 + SurnamePosition(name);
}

}  // namespace taiyi
