#include "platform/codepage.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace zq {
namespace {

// One iconv conversion descriptor, closed when the call ends.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (Valid()) {
      iconv_close(cd_);
    }
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool Valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts as much of `in` as possible, appending to `out`. Returns false
  // when it stopped at a byte sequence it cannot convert; `in` is advanced
  // past what was converted.
  bool Convert(std::string_view& in, std::string& out) {
    std::vector<char> buffer(in.size() * 4 + 16);
    // iconv's interface takes non-const input pointers; it does not write through them.
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char* dst = buffer.data();
    std::size_t dstLeft = buffer.size();
    const std::size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
    out.append(buffer.data(), buffer.size() - dstLeft);
    in.remove_prefix(in.size() - srcLeft);
    if (rc == static_cast<std::size_t>(-1)) {
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
      return false;
    }
    return true;
  }

 private:
  iconv_t cd_;
};

}  // namespace

std::optional<std::string> Utf8ToCp949(std::string_view utf8) {
  Converter converter("CP949", "UTF-8");
  if (!converter.Valid()) {
    return std::nullopt;
  }
  std::string out;
  if (!converter.Convert(utf8, out) || !utf8.empty()) {
    return std::nullopt;
  }
  return out;
}

std::string Cp949ToUtf8(std::string_view cp949) {
  static constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
  Converter converter("UTF-8", "CP949");
  std::string out;
  if (!converter.Valid()) {
    for (const char c : cp949) {
      if (static_cast<unsigned char>(c) < 0x80) {
        out.push_back(c);
      } else {
        out.append(kReplacement);
      }
    }
    return out;
  }
  while (!cp949.empty()) {
    if (!converter.Convert(cp949, out) && !cp949.empty()) {
      out.append(kReplacement);
      cp949.remove_prefix(1);
    }
  }
  return out;
}

std::optional<std::string> Cp949ToUtf8Exact(std::string_view cp949) {
  Converter converter("UTF-8", "CP949");
  if (!converter.Valid()) {
    return std::nullopt;
  }
  std::string out;
  std::string_view rest = cp949;
  if (!converter.Convert(rest, out) || !rest.empty()) {
    return std::nullopt;
  }
  const std::optional<std::string> back = Utf8ToCp949(out);
  if (!back || *back != cp949) {
    return std::nullopt;
  }
  return out;
}

}  // namespace zq
