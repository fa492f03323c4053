#include "store/rtf_reader.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <map>
#include <vector>

#include "platform/gbk.h"

namespace taiyi {

namespace {

constexpr int kDefaultCodePage = 1252;
constexpr std::size_t kMaxGroupDepth = 1000;

// Bytes 0x80..0x9F of Windows code page 1252 (0 marks a byte the code page leaves unused).
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendCodePoint(std::string& out, std::uint32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// The Windows code page of a font charset (\fcharsetN), or 0 when the charset names none.
int CodePageOfCharset(int charset) {
  switch (charset) {
    case 0: return 1252;
    case 2: return 1252;  // symbol fonts: keep the bytes as Latin text
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 130: return 1361;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 254: return 437;
    case 255: return 850;
    default: return 0;
  }
}

// Turns code-page bytes into UTF-8.  Keeps one iconv descriptor per code page for the
// document being read.
class CodePageDecoder {
 public:
  CodePageDecoder() = default;
  ~CodePageDecoder() {
    for (auto& [cp, cd] : descriptors_)
      if (cd != Invalid()) iconv_close(cd);
  }
  CodePageDecoder(const CodePageDecoder&) = delete;
  CodePageDecoder& operator=(const CodePageDecoder&) = delete;

  void Decode(std::string_view bytes, int codePage, std::string& out) {
    if (codePage == 65001) {
      out += IsValidUtf8(bytes) ? std::string(bytes) : GbkToUtf8(bytes);
      return;
    }
    if (codePage != 1252) {
      iconv_t cd = Descriptor(codePage);
      if (cd != Invalid()) {
        DecodeWith(cd, bytes, out);
        return;
      }
    }
    for (unsigned char c : bytes) {
      if (c >= 0x80 && c < 0xA0) {
        const char16_t u = kCp1252High[c - 0x80];
        AppendCodePoint(out, u ? u : 0xFFFD);
      } else {
        AppendCodePoint(out, c);
      }
    }
  }

 private:
  static iconv_t Invalid() { return reinterpret_cast<iconv_t>(-1); }

  iconv_t Descriptor(int codePage) {
    const auto it = descriptors_.find(codePage);
    if (it != descriptors_.end()) return it->second;
    const std::string name = codePage == 936    ? "GBK"
                             : codePage == 54936 ? "GB18030"
                             : codePage == 10000 ? "MACINTOSH"
                                                 : "CP" + std::to_string(codePage);
    iconv_t cd = iconv_open("UTF-8", name.c_str());
    descriptors_.emplace(codePage, cd);
    return cd;
  }

  // Converts as much as iconv takes; a byte it refuses becomes U+FFFD and is passed over.
  static void DecodeWith(iconv_t cd, std::string_view bytes, std::string& out) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(bytes.data());
    std::size_t srcLeft = bytes.size();
    char buf[1024];
    while (srcLeft > 0) {
      char* dst = buf;
      std::size_t dstLeft = sizeof buf;
      const std::size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
      out.append(buf, static_cast<std::size_t>(dst - buf));
      if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
        AppendCodePoint(out, 0xFFFD);
        ++src;
        --srcLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
      }
    }
  }

  std::map<int, iconv_t> descriptors_;
};

enum class Destination : std::uint8_t { kText, kSkip, kFontTable, kColourTable };

struct GroupState {
  int font = -1;  // font number; -1 = the document's default font
  int halfPoints = 24;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int colour = 0;  // index in the colour table
  int uc = 1;      // characters that stand in for each \uN
  Destination destination = Destination::kText;
};

struct FontEntry {
  std::string nameBytes;
  int charset = -1;
  bool nameDone = false;
  std::string name;  // decoded when the table ends
};

// Destinations whose contents are no part of the text.
bool IsSkippedDestination(std::string_view word) {
  static constexpr std::string_view kSkipped[] = {
      "stylesheet", "info",       "pict",       "object",     "header",     "headerl",
      "headerr",    "headerf",    "footer",     "footerl",    "footerr",    "footerf",
      "footnote",   "annotation", "fldinst",    "xe",         "tc",         "bkmkstart",
      "bkmkend",    "pntext",     "listtext",   "themedata",  "colorschememapping",
      "datastore",  "latentstyles", "xmlnstbl", "listtable",  "listoverridetable",
      "revtbl",     "rsidtbl",    "generator",  "pgdsctbl",   "ftnsep",     "ftnsepc",
      "aftnsep",    "aftnsepc",   "nonshppict", "userprops",  "docvar",     "template",
      "filetbl",    "mmathPr",    "wgrffmtfilter", "fchars",  "lchars",     "txe"};
  for (std::string_view s : kSkipped)
    if (s == word) return true;
  return false;
}

class RtfParser {
 public:
  RtfParser(std::string_view bytes, RtfDocument& doc) : in_(bytes), doc_(doc) {}

  void Run() {
    std::size_t depth = 0;  // groups opened beyond the depth limit, only counted
    while (pos_ < in_.size()) {
      const char c = in_[pos_];
      if (c == '{') {
        ++pos_;
        skipChars_ = 0;
        if (stack_.size() >= kMaxGroupDepth) {
          ++depth;
          continue;
        }
        FlushBytes();
        stack_.push_back(stack_.empty() ? GroupState{} : stack_.back());
        continue;
      }
      if (c == '}') {
        ++pos_;
        skipChars_ = 0;
        if (depth > 0) {
          --depth;
          continue;
        }
        if (stack_.empty()) break;
        EndGroup();
        if (stack_.empty()) break;  // the document's closing brace
        continue;
      }
      if (stack_.empty()) {  // text before the first brace
        ++pos_;
        continue;
      }
      if (depth > 0) {
        ++pos_;
        continue;
      }
      if (c == '\\') {
        ControlWord();
        continue;
      }
      ++pos_;
      if (c == '\r' || c == '\n') continue;
      if (skipChars_ > 0) {
        --skipChars_;
        continue;
      }
      if (c == '\t') {
        EmitText("\t");
      } else if (static_cast<unsigned char>(c) >= 0x20) {
        Byte(c);
      }
    }
    while (!stack_.empty()) EndGroup();
  }

 private:
  GroupState& State() { return stack_.back(); }

  int CodePage() {
    const GroupState& s = stack_.back();
    const int number = s.font >= 0 ? s.font : defaultFont_;
    const auto it = fonts_.find(number);
    if (it != fonts_.end()) {
      const int cp = CodePageOfCharset(it->second.charset);
      if (cp != 0) return cp;
    }
    return ansiCodePage_;
  }

  void Byte(char c) {
    const Destination d = State().destination;
    if (d == Destination::kText) {
      const int cp = CodePage();
      if (!pendingBytes_.empty() && cp != pendingCodePage_) FlushBytes();
      pendingCodePage_ = cp;
      pendingBytes_ += c;
    } else if (d == Destination::kFontTable) {
      auto it = fonts_.find(currentFont_);
      if (it == fonts_.end() || it->second.nameDone) return;
      if (c == ';')
        it->second.nameDone = true;
      else
        it->second.nameBytes += c;
    } else if (d == Destination::kColourTable) {
      if (c == ';') {
        colours_.push_back(colourSet_ ? red_ | (green_ << 8) | (blue_ << 16) : kDefaultColour);
        red_ = green_ = blue_ = 0;
        colourSet_ = false;
      }
    }
  }

  // Decodes the code-page bytes gathered so far into the pending text.
  void FlushBytes() {
    if (pendingBytes_.empty()) return;
    decoder_.Decode(pendingBytes_, pendingCodePage_, pendingText_);
    pendingBytes_.clear();
  }

  // Moves the pending text into the document with the current format.
  void FlushText() {
    FlushBytes();
    // Control characters other than the tab and the line break, and DEL, are no text of an
    // editor (\u0, \'00, \'7f, stray bytes); they are dropped so that nothing invisible is kept.
    std::erase_if(pendingText_, [](char c) {
      const auto b = static_cast<unsigned char>(c);
      return (b < 0x20 && c != '\t' && c != '\n') || b == 0x7F;
    });
    if (pendingText_.empty()) return;
    if (!paragraphOpen_) {
      doc_.paragraphs.emplace_back();
      paragraphOpen_ = true;
    }
    doc_.AppendText(pendingText_, CurrentFormat());
    pendingText_.clear();
  }

  void EmitText(std::string_view text) {
    if (State().destination != Destination::kText) return;
    FlushBytes();
    pendingText_ += text;
  }

  void EmitCodePoint(std::uint32_t cp) {
    if (State().destination != Destination::kText) return;
    FlushBytes();
    AppendCodePoint(pendingText_, cp);
  }

  void EndParagraph() {
    if (State().destination != Destination::kText) return;
    FlushText();
    if (!paragraphOpen_) doc_.paragraphs.emplace_back();
    paragraphOpen_ = false;
  }

  RtfCharFormat CurrentFormat() {
    const GroupState& s = State();
    RtfCharFormat f;
    const auto it = fonts_.find(s.font >= 0 ? s.font : defaultFont_);
    if (it != fonts_.end()) f.font = FontName(it->second);
    f.halfPoints = s.halfPoints;
    f.bold = s.bold;
    f.italic = s.italic;
    f.underline = s.underline;
    f.colour = s.colour >= 0 && static_cast<std::size_t>(s.colour) < colours_.size()
                   ? colours_[s.colour]
                   : kDefaultColour;
    return f;
  }

  const std::string& FontName(FontEntry& font) {
    if (font.name.empty() && !font.nameBytes.empty()) {
      int cp = CodePageOfCharset(font.charset);
      if (cp == 0) cp = ansiCodePage_;
      std::string name;
      decoder_.Decode(font.nameBytes, cp, name);
      while (!name.empty() && name.back() == ' ') name.pop_back();
      while (!name.empty() && name.front() == ' ') name.erase(0, 1);
      font.name = std::move(name);
      font.nameBytes.clear();
    }
    return font.name;
  }

  void EndGroup() {
    if (State().destination == Destination::kText) FlushText();
    stack_.pop_back();
  }

  // Formatting changes: the text so far keeps the old format.
  template <typename F>
  void ChangeFormat(F change) {
    if (State().destination == Destination::kText) FlushText();
    change(State());
  }

  void ControlWord() {
    ++pos_;  // the backslash
    if (pos_ >= in_.size()) return;
    const char c = in_[pos_];
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!letter) {
      ++pos_;
      ControlSymbol(c);
      return;
    }
    const std::size_t start = pos_;
    while (pos_ < in_.size() && pos_ - start < 32 &&
           ((in_[pos_] >= 'a' && in_[pos_] <= 'z') || (in_[pos_] >= 'A' && in_[pos_] <= 'Z')))
      ++pos_;
    const std::string_view word = in_.substr(start, pos_ - start);
    bool hasParam = false;
    long long param = 0;
    bool negative = false;
    if (pos_ < in_.size() && in_[pos_] == '-' && pos_ + 1 < in_.size() && in_[pos_ + 1] >= '0' &&
        in_[pos_ + 1] <= '9') {
      negative = true;
      ++pos_;
    }
    for (int digits = 0; pos_ < in_.size() && in_[pos_] >= '0' && in_[pos_] <= '9'; ++digits) {
      if (digits < 10) param = param * 10 + (in_[pos_] - '0');
      hasParam = true;
      ++pos_;
    }
    if (negative) param = -param;
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
    if (word == "bin") {
      const std::size_t n = param > 0 ? static_cast<std::size_t>(param) : 0;
      pos_ = n > in_.size() - pos_ ? in_.size() : pos_ + n;
      return;
    }
    if (skipChars_ > 0 && word != "u") {
      --skipChars_;
      return;
    }
    Word(word, hasParam, static_cast<int>(param));
  }

  void ControlSymbol(char c) {
    switch (c) {
      case '\'': {
        int value = -1;
        if (pos_ + 2 <= in_.size()) {
          value = 0;
          for (int i = 0; i < 2 && value >= 0; ++i) {
            const char h = in_[pos_ + i];
            const int d = h >= '0' && h <= '9'   ? h - '0'
                          : h >= 'a' && h <= 'f' ? h - 'a' + 10
                          : h >= 'A' && h <= 'F' ? h - 'A' + 10
                                                 : -1;
            value = d < 0 ? -1 : value * 16 + d;
          }
        }
        if (value < 0) return;
        pos_ += 2;
        if (skipChars_ > 0) {
          --skipChars_;
          return;
        }
        Byte(static_cast<char>(value));
        return;
      }
      case '*':
        // An ignorable destination: this program knows none of them.
        if (State().destination != Destination::kSkip) {
          if (State().destination == Destination::kText) FlushText();
          State().destination = Destination::kSkip;
        }
        return;
      case '\\':
      case '{':
      case '}':
        if (skipChars_ > 0) {
          --skipChars_;
          return;
        }
        Byte(c);
        return;
      case '~': EmitCodePoint(0x00A0); return;
      case '_': EmitCodePoint(0x2011); return;
      case '\r':
      case '\n': EndParagraph(); return;
      case '\t': EmitText("\t"); return;
      default: return;  // \- (optional hyphen), \: and the like
    }
  }

  void Word(std::string_view w, bool hasParam, int p) {
    GroupState& s = State();
    const bool on = !hasParam || p != 0;
    if (s.destination == Destination::kSkip) return;
    if (s.destination == Destination::kFontTable) {
      if (w == "f") {
        currentFont_ = p;
        fonts_[p];
      } else if (w == "fcharset") {
        auto it = fonts_.find(currentFont_);
        if (it != fonts_.end()) it->second.charset = p;
      } else if (IsSkippedDestination(w)) {
        s.destination = Destination::kSkip;
      }
      return;
    }
    if (s.destination == Destination::kColourTable) {
      Colour* component = w == "red" ? &red_ : w == "green" ? &green_ : w == "blue" ? &blue_ : nullptr;
      if (component) {
        *component = static_cast<Colour>(p & 0xFF);
        colourSet_ = true;
      }
      return;
    }
    // Text destination.
    if (w == "par" || w == "sect" || w == "page" || w == "row") {
      EndParagraph();
    } else if (w == "line") {
      EmitText("\n");
    } else if (w == "tab" || w == "cell" || w == "nestcell") {
      EmitText("\t");
    } else if (w == "u") {
      std::uint32_t cp = static_cast<std::uint16_t>(static_cast<std::int16_t>(p));
      if (p > 0xFFFF || p < -0x8000) cp = 0xFFFD;
      if (cp >= 0xD800 && cp <= 0xDBFF) {
        highSurrogate_ = cp;
      } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
        if (highSurrogate_) EmitCodePoint(0x10000 + ((highSurrogate_ - 0xD800) << 10) + (cp - 0xDC00));
        highSurrogate_ = 0;
      } else {
        highSurrogate_ = 0;
        EmitCodePoint(cp);
      }
      skipChars_ = s.uc;
    } else if (w == "uc") {
      s.uc = p < 0 ? 0 : p;
    } else if (w == "plain") {
      ChangeFormat([](GroupState& g) {
        g.font = -1;
        g.halfPoints = 24;
        g.bold = g.italic = g.underline = false;
        g.colour = 0;
      });
    } else if (w == "f") {
      ChangeFormat([p](GroupState& g) { g.font = p; });
    } else if (w == "fs") {
      ChangeFormat([p, hasParam](GroupState& g) { g.halfPoints = hasParam && p > 0 ? p : 24; });
    } else if (w == "b") {
      ChangeFormat([on](GroupState& g) { g.bold = on; });
    } else if (w == "i") {
      ChangeFormat([on](GroupState& g) { g.italic = on; });
    } else if (w == "ulnone") {
      ChangeFormat([](GroupState& g) { g.underline = false; });
    } else if (w.starts_with("ul") && w != "ulc") {
      ChangeFormat([on](GroupState& g) { g.underline = on; });
    } else if (w == "cf") {
      ChangeFormat([p](GroupState& g) { g.colour = p; });
    } else if (w == "emdash") {
      EmitCodePoint(0x2014);
    } else if (w == "endash") {
      EmitCodePoint(0x2013);
    } else if (w == "bullet") {
      EmitCodePoint(0x2022);
    } else if (w == "lquote") {
      EmitCodePoint(0x2018);
    } else if (w == "rquote") {
      EmitCodePoint(0x2019);
    } else if (w == "ldblquote") {
      EmitCodePoint(0x201C);
    } else if (w == "rdblquote") {
      EmitCodePoint(0x201D);
    } else if (w == "emspace") {
      EmitCodePoint(0x2003);
    } else if (w == "enspace") {
      EmitCodePoint(0x2002);
    } else if (w == "fonttbl") {
      FlushText();
      s.destination = Destination::kFontTable;
    } else if (w == "colortbl") {
      FlushText();
      s.destination = Destination::kColourTable;
      colours_.clear();
      red_ = green_ = blue_ = 0;
      colourSet_ = false;
    } else if (IsSkippedDestination(w)) {
      FlushText();
      s.destination = Destination::kSkip;
    } else if (w == "ansicpg") {
      if (p > 0) ansiCodePage_ = p;
    } else if (w == "mac") {
      ansiCodePage_ = 10000;
    } else if (w == "pc") {
      ansiCodePage_ = 437;
    } else if (w == "pca") {
      ansiCodePage_ = 850;
    } else if (w == "deff") {
      defaultFont_ = p;
    }
  }

  std::string_view in_;
  std::size_t pos_ = 0;
  RtfDocument& doc_;
  std::vector<GroupState> stack_;
  CodePageDecoder decoder_;
  std::map<int, FontEntry> fonts_;
  int currentFont_ = -1;
  int defaultFont_ = 0;
  int ansiCodePage_ = kDefaultCodePage;
  std::vector<Colour> colours_;
  Colour red_ = 0, green_ = 0, blue_ = 0;
  bool colourSet_ = false;
  std::string pendingBytes_;
  int pendingCodePage_ = kDefaultCodePage;
  std::string pendingText_;
  bool paragraphOpen_ = false;
  int skipChars_ = 0;
  std::uint32_t highSurrogate_ = 0;
};

}  // namespace

bool LooksLikeRtf(std::string_view bytes) {
  std::size_t i = 0;
  if (bytes.starts_with("\xEF\xBB\xBF")) i = 3;
  while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' ||
                              bytes[i] == '\n'))
    ++i;
  return bytes.substr(i).starts_with("{\\rtf");
}

bool ReadRtf(std::string_view bytes, RtfDocument& doc) {
  doc = RtfDocument{};
  if (!LooksLikeRtf(bytes)) return false;
  RtfParser(bytes, doc).Run();
  return true;
}

std::string RtfPlainText(std::string_view bytes) {
  RtfDocument doc;
  if (ReadRtf(bytes, doc)) return doc.PlainText();
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  std::string text = LooksLikeUtf8(bytes) ? std::string(bytes) : GbkToUtf8(bytes);
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace taiyi
