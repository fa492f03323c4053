#include "ui/widgets/gbk_length_validator.h"

#include "platform/gbk.h"

namespace taiyi {

QValidator::State GbkLengthValidator::validate(QString& input, int& /*pos*/) const {
  const QByteArray utf8 = input.toUtf8();
  return GbkLength(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size()))) <=
                 maxBytes_
             ? Acceptable
             : Invalid;
}

}  // namespace taiyi
