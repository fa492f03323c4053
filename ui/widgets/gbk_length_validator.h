// A line edit's limit counted in GBK bytes, as the fixed-width fields of a case record count
// them (a Chinese character takes two): a change that would pass the limit is refused.
#pragma once

#include <QValidator>
#include <cstddef>

namespace taiyi {

// The name field of the input panel holds 20 bytes.
inline constexpr std::size_t kNameFieldBytes = 20;

class GbkLengthValidator final : public QValidator {
 public:
  GbkLengthValidator(std::size_t maxBytes, QObject* parent)
      : QValidator(parent), maxBytes_(maxBytes) {}

  State validate(QString& input, int& pos) const override;

 private:
  std::size_t maxBytes_;
};

}  // namespace taiyi
