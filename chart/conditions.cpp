#include "chart/conditions.h"

namespace taiyi {

std::string_view ConditionName(int condition) {
  static constexpr std::string_view kNames[kConditionCount] = {"掩", "迫", "关", "囚",
                                                               "击", "格", "对"};
  return condition >= 0 && condition < kConditionCount ? kNames[condition] : std::string_view{};
}

namespace {

// Palace numbers of the deities the conditions look at.  An absent deity has palace 0,
// which matches no palace and no neighbour.
struct Palaces {
  int taiYi, wenChang, shiJi, hostGeneral, hostAide, guestGeneral, guestAide, xiaoYou;
};

Palaces PalacesOf(const DeityFactsTable& f) {
  auto at = [&f](DeityCode c) { return f[c].present ? f[c].palace : 0; };
  return {at(kTaiYi),    at(kWenChang),     at(kShiJi),     at(kHostGeneral),
          at(kHostAide), at(kGuestGeneral), at(kGuestAide), at(kXiaoYou)};
}

// a equals b and both stand on the chart.
bool Same(int a, int b) {
  return a != 0 && a == b;
}

}  // namespace

ConditionSet PeriodConditions(const DeityFactsTable& facts) {
  const Palaces p = PalacesOf(facts);
  const int t = p.taiYi;
  const int opposite = OppositeOf(t);
  ConditionSet s{};
  auto set = [&s](int c, bool present, int palace) {
    if (present) s[c] = {true, palace, kNoLifePalace};
  };
  set(kCondYan, Same(t, p.wenChang) || Same(t, p.shiJi), t);
  set(kCondPo, IsNeighbour(p.wenChang, t), t);
  set(kCondGuan,
      Same(p.hostGeneral, p.hostAide) && Same(p.hostAide, p.guestGeneral) &&
          Same(p.guestGeneral, p.guestAide),
      p.hostGeneral);
  set(kCondQiu,
      (Same(p.hostGeneral, t) && Same(p.hostAide, t)) ||
          (Same(p.guestGeneral, t) && Same(p.guestAide, t)),
      t);
  set(kCondJi, IsNeighbour(p.shiJi, t), t);
  set(kCondGe,
      Same(opposite, p.shiJi) || Same(opposite, p.guestGeneral) || Same(opposite, p.guestAide), t);
  set(kCondDui, Same(OppositeOf(p.wenChang), t), t);
  return s;
}

ConditionSet LifeConditions(const DeityFactsTable& facts) {
  const Palaces p = PalacesOf(facts);
  const int x = p.xiaoYou;
  const int opposite = OppositeOf(x);
  ConditionSet s{};
  auto set = [&s, &facts](int c, bool present, int palace, DeityCode named) {
    if (present) s[c] = {true, palace, facts[named].lifePalace};
  };
  set(kCondYan, Same(p.shiJi, x), x, kXiaoYou);
  set(kCondPo, IsNeighbour(p.wenChang, x), x, kXiaoYou);
  if (Same(p.guestGeneral, p.wenChang) && Same(p.wenChang, p.guestAide))
    set(kCondGuan, true, p.wenChang, kWenChang);
  else if (Same(p.hostGeneral, p.shiJi) && Same(p.shiJi, p.hostAide))
    set(kCondGuan, true, p.shiJi, kShiJi);
  else if (Same(p.hostGeneral, p.hostAide))
    set(kCondGuan, true, p.hostGeneral, kHostGeneral);
  else if (Same(p.guestGeneral, p.guestAide))
    set(kCondGuan, true, p.guestGeneral, kGuestGeneral);
  set(kCondQiu,
      Same(x, p.wenChang) || Same(x, p.hostGeneral) || Same(x, p.hostAide) ||
          Same(x, p.guestGeneral) || Same(x, p.guestAide),
      x, kXiaoYou);
  set(kCondJi, IsNeighbour(p.shiJi, x), x, kXiaoYou);
  set(kCondGe,
      Same(opposite, p.guestGeneral) || Same(opposite, p.guestAide) || Same(opposite, p.shiJi), x,
      kXiaoYou);
  set(kCondDui,
      Same(opposite, p.hostGeneral) || Same(opposite, p.hostAide) || Same(opposite, p.wenChang), x,
      kXiaoYou);
  return s;
}

}  // namespace taiyi
