#include "platform/gbk.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace taiyi {
namespace {

// An iconv conversion descriptor.  Opening one costs far more than converting a character,
// and one must not be used by two threads at once: each thread keeps one per direction.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts one character into buf (16 bytes); the number of bytes written, or 0 when
  // iconv refuses it.
  std::size_t convert(std::string_view in, char* buf) {
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char* dst = buf;
    size_t dstLeft = kBufferSize;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd_, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1) || srcLeft != 0)
      return 0;
    return static_cast<std::size_t>(dst - buf);
  }
  // Appends the converted character to out; false when iconv refuses it.
  bool convert(std::string_view in, std::string& out) {
    char buf[kBufferSize];
    const std::size_t n = ok() ? convert(in, buf) : 0;
    out.append(buf, n);
    return n > 0;
  }

  static constexpr std::size_t kBufferSize = 16;

 private:
  iconv_t cd_;
};

Converter& ToGbk() {
  thread_local Converter converter("GBK", "UTF-8");
  return converter;
}

Converter& FromGbk() {
  thread_local Converter converter("UTF-8", "GBK");
  return converter;
}

bool IsAsciiOnly(std::string_view s) {
  for (unsigned char c : s)
    if (c >= 0x80) return false;
  return true;
}

}  // namespace

std::size_t Utf8CharLength(std::string_view s, std::size_t pos) {
  const auto c = static_cast<unsigned char>(s[pos]);
  std::size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 1;
  if (pos + n > s.size()) return 1;
  for (std::size_t i = 1; i < n; ++i)
    if ((static_cast<unsigned char>(s[pos + i]) & 0xC0) != 0x80) return 1;
  return n;
}

namespace {

// Every byte above 0x7F leads a pair with a trail byte 0x40..0xFE other than 0x7F.
bool HasGbkForm(std::string_view s) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) continue;
    if (c == 0x80 || c == 0xFF || i + 1 == s.size()) return false;
    const auto t = static_cast<unsigned char>(s[++i]);
    if (t < 0x40 || t == 0x7F || t == 0xFF) return false;
  }
  return true;
}

}  // namespace

bool LooksLikeUtf8(std::string_view s) {
  if (!IsValidUtf8(s)) return false;
  for (unsigned char c : s)
    if (c >= 0xE0) return true;  // a lead byte of three or four in well-formed UTF-8
  return !HasGbkForm(s);
}

namespace {

// The length of the well-formed UTF-8 character at pos, or 0 when the byte there does not
// start one (overlong forms and surrogates do not).
std::size_t WellFormedLength(std::string_view s, std::size_t pos) {
  const auto c = static_cast<unsigned char>(s[pos]);
  if (c < 0x80) return 1;
  const std::size_t n = Utf8CharLength(s, pos);
  if (n == 1) return 0;
  const auto c1 = static_cast<unsigned char>(s[pos + 1]);
  if (c < 0xC2 || c > 0xF4) return 0;
  if (c == 0xE0 && c1 < 0xA0) return 0;
  if (c == 0xED && c1 >= 0xA0) return 0;
  if (c == 0xF0 && c1 < 0x90) return 0;
  if (c == 0xF4 && c1 >= 0x90) return 0;
  return n;
}

}  // namespace

bool IsValidUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t n = WellFormedLength(s, i);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

std::string RepairUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t n = WellFormedLength(s, i);
    if (n == 0) {
      out += "\xEF\xBF\xBD";
      ++i;
    } else {
      out.append(s.substr(i, n));
      i += n;
    }
  }
  return out;
}

std::string Utf8ToGbk(std::string_view utf8) {
  if (IsAsciiOnly(utf8)) return std::string(utf8);
  Converter& conv = ToGbk();
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      ++i;
      continue;
    }
    const std::size_t n = Utf8CharLength(utf8, i);
    if (n == 1 || !conv.ok() || !conv.convert(utf8.substr(i, n), out)) out.push_back('?');
    i += n;
  }
  return out;
}

std::string GbkToUtf8(std::string_view gbk) {
  if (IsAsciiOnly(gbk)) return std::string(gbk);
  Converter& conv = FromGbk();
  std::string out;
  out.reserve(gbk.size() * 3 / 2);
  for (std::size_t i = 0; i < gbk.size();) {
    const auto c = static_cast<unsigned char>(gbk[i]);
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      ++i;
      continue;
    }
    if (c != 0x80 && c != 0xFF && i + 1 < gbk.size() && conv.ok() &&
        conv.convert(gbk.substr(i, 2), out)) {
      i += 2;
      continue;
    }
    out += "\xEF\xBF\xBD";
    ++i;
  }
  return out;
}

std::size_t GbkLength(std::string_view utf8) { return Utf8ToGbk(utf8).size(); }

std::string CutToGbkBytes(std::string_view utf8, std::size_t maxBytes) {
  // A character never takes more bytes in GBK than in UTF-8 (two at most, or one '?').
  if (utf8.size() <= maxBytes) return std::string(utf8);
  Converter& conv = ToGbk();
  std::size_t bytes = 0;
  std::size_t i = 0;
  while (i < utf8.size()) {
    const std::size_t n = Utf8CharLength(utf8, i);
    std::size_t width = 1;  // ASCII, or the '?' of a character GBK cannot hold
    if (n > 1 && conv.ok()) {
      char buf[Converter::kBufferSize];
      width = std::max<std::size_t>(1, conv.convert(utf8.substr(i, n), buf));
    }
    if (bytes + width > maxBytes) break;
    bytes += width;
    i += n;
  }
  return std::string(utf8.substr(0, i));
}

std::size_t Utf16Length(std::string_view utf8) {
  std::size_t units = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t n = Utf8CharLength(utf8, i);
    units += n == 4 ? 2 : 1;
    i += n;
  }
  return units;
}

}  // namespace taiyi
