#include "calendar/lunar_corrections.h"

#include <array>

namespace taiyi {
namespace {

// Digit runs of the letters, in the order they are expanded.
struct Run {
  char letter;
  std::string_view digits;
};

constexpr std::array<Run, 30> kRuns{{
    {'J', "00"},
    {'I', "000"},
    {'H', "0000"},
    {'G', "00000"},
    {'t', "02"},
    {'s', "002"},
    {'r', "0002"},
    {'q', "00002"},
    {'p', "000002"},
    {'o', "0000002"},
    {'n', "00000002"},
    {'m', "000000002"},
    {'l', "0000000002"},
    {'k', "01"},
    {'j', "0101"},
    {'i', "001"},
    {'h', "001001"},
    {'g', "0001"},
    {'f', "00001"},
    {'e', "000001"},
    {'d', "0000001"},
    {'c', "00000001"},
    {'b', "000000001"},
    {'a', "0000000001"},
    {'A', "000000000000000000000000000000000000000000000000000000000000"},
    {'B', "00000000000000000000000000000000000000000000000000"},
    {'C', "0000000000000000000000000000000000000000"},
    {'D', "000000000000000000000000000000"},
    {'E', "00000000000000000000"},
    {'F', "0000000000"},
}};

// New moons: character k belongs to the k-th mean month after JD 1947154 (619-01-07).
// clang-format off
constexpr std::string_view kNewMoon =
    "EqoFscDcrFpmEsF2DfFideFelFpFfFfFiaipqti1ksttikptikqckstekqttgkqttgkqteksttikptikq2fjstgjqttjkqttgkqt"
    "ekstfkptikq2tijstgjiFkirFsAeACoFsiDaDiADc1AFbBfgdfikijFifegF1FhaikgFag1E2btaieeibggiffdeigFfqDfaiBkF"
    "1kEaikhkigeidhhdiegcFfakF1ggkidbiaedksaFffckekidhhdhdikcikiakicjF1deedFhFccgicdekgiFbiaikcfi1kbFibef"
    "gEgFdcFkFeFkdcfkF1kfkcickEiFkDacFiEfbiaejcFfffkhkdgkaiei1ehigikhdFikfckF1dhhdikcfgjikhfjicjicgiehdik"
    "cikggcifgiejF1jkieFhegikggcikFegiegkfjebhigikggcikdgkaFkijcfkcikfkcifikiggkaeeigefkcdfcfkhkdgkegieid"
    "hijcFfakhfgeidieidiegikhfkfckfcjbdehdikggikgkfkicjicjF1dbidikFiggcifgiejkiegkigcdiegfggcikdbgfgefjF1"
    "kfegikggcikdgFkeeijcfkcikfkekcikdgkabhkFikaffcfkhkdgkegbiaekfkiakicjhfgqdq2fkiakgkfkhfkfcjiekgFebicg"
    "gbedF1jikejbbbiakgbgkacgiejkijjgigfiakggfggcibFifjefjF1kfekdgjcibFeFkijcfkfhkfkeaieigekgbhkfikidfcje"
    "aibgekgdkiffiffkiakF1jhbakgdki1dj1ikfkicjicjieeFkgdkicggkighdF1jfgkgfgbdkicggfggkidFkiekgijkeigfiski"
    "ggfaidheigF1jekijcikickiggkidhhdbgcfkFikikhkigeidieFikggikhkffaffijhidhhakgdkhkijF1kiakF1kfheakgdkif"
    "iggkigicjiejkieedikgdfcggkigieeiejfgkgkigbgikicggkiaideeijkefjeijikhkiggkiaidheigcikaikffikijgkiahi1"
    "hhdikgjfifaakekighie1hiaikggikhkffakicjhiahaikggikhkijF1kfejfeFhidikggiffiggkigicjiekgieeigikggiffig"
    "gkidheigkgfjkeigiegikifiggkidhedeijcfkFikikhkiggkidhh1ehigcikaffkhkiggkidhh1hhigikekfiFkFikcidhh1hit"
    "cikggikhkfkicjicghiediaikggikhkijbjfejfeFhaikggifikiggkigiejkikgkgieeigikggiffiggkigieeigekijcijikgg"
    "ifikiggkideedeijkefkfckikhkiggkidhh1ehijcikaffkhkiggkidhh1hhigikhkikFikfckcidhh1hiaikgjikhfjicjicgie"
    "hdikcikggifikigiejfejkieFhegikggifikiggfghigkfjeijkhigikggifikiggkigieeijcijcikfksikifikiggkidehdeij"
    "cfdckikhkiggkhghh1ehijikifffffkhsFngErD1pAfBoDd1BlEtFqA2AqoEpDqElAEsEeB2BmADlDkqBtC1FnEpDqnEmFsFsAFn"
    "llBbFmDsDiCtDmAB2BmtCgpEplCpAEiBiEoFqFtEqsDcCnFtADnFlEgdkEgmEtEsCtDmADqFtAFrAtEcCqAE1BoFqC1F1DrFtBmF"
    "tAC2ACnFaoCgADcADcCcFfoFtDlAFgmFqBq2bpEoAEmkqnEeCtAE1bAEqgDfFfCrgEcBrACfAAABqAAB1AAClEnFeCtCgAADqDoB"
    "mtAAACbFiAAADsEtBqAB2FsDqpFqEmFsCeDtFlCeDtoEpClEqAAFrAFoCgFmFsFqEnAEcCqFeCtFtEnAEeFtAAEkFnErAABbFkAD"
    "nAAeCtFeAfBoAEpFtAABtFqAApDcCGJ";
// clang-format on

// Solar terms: character k belongs to the k-th mean term after JD 2322140.76 (1645-09-14).
// clang-format off
constexpr std::string_view kTerm =
    "FrcFs22AFsckF2tsDtFqEtF1posFdFgiFseFtmelpsEfhkF2anmelpFlF1ikrotcnEqEq2FfqmcDsrFor22FgFrcgDscFs22FgEe"
    "FtE2sfFs22sCoEsaF2tsD1FpeE2eFsssEciFsFnmelpFcFhkF2tcnEqEpFgkrotcnEqrEtFermcDsrE222FgBmcmr22DaEfnaF22"
    "2sD1FpeForeF2tssEfiFpEoeFssD1iFstEqFppDgFstcnEqEpFg11FscnEqrAoAF2ClAEsDmDtCtBaDlAFbAEpAAAAAD2FgBiBqo"
    "BbnBaBoAAAAAAAEgDqAdBqAFrBaBoACdAAf1AACgAAAeBbCamDgEifAE2AABa1C1BgFdiAAACoCeE1ADiEifDaAEqAAFe1AcFbcA"
    "AAAAF1iFaAAACpACmFmAAAAAAAACrDaAAADG0";
// clang-format on

}  // namespace

std::string Decompress(std::string_view text) {
  std::array<std::string_view, 128> runOf{};
  for (const Run& run : kRuns) runOf[static_cast<unsigned char>(run.letter)] = run.digits;
  std::string out;
  out.reserve(text.size() * 8);
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (u < runOf.size() && !runOf[u].empty()) {
      out += runOf[u];
    } else {
      out += c;
    }
  }
  return out;
}

std::string_view CompressedNewMoonCorrections() {
  return kNewMoon;
}

std::string_view CompressedTermCorrections() {
  return kTerm;
}

}  // namespace taiyi
